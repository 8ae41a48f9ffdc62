// The dispatcher's own cost: IsAudioOpen through the script interface's
// Call, beside the same host call of a script interface that does nothing,
// and beside the host making and releasing the integer it answers.
#include <benchmark/benchmark.h>

#include "loaded_session.h"
#include "moa/imoa_mm_xscript.h"
#include "moa/imoa_mm_value.h"

namespace bench {
namespace {

class EmptyScript : public IMoaMmXScript {
public:
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID*, void**) override { return kMoaErr_BadInterface; }
    MoaUlong MOA_STDCALL AddRef() override { return 1; }
    MoaUlong MOA_STDCALL Release() override { return 1; }
    MoaError MOA_STDCALL Call(MoaMmCallInfo*) override { return kMoaErr_NoErr; }
};

// One host call of script with method on object: the call record, Call,
// and the release of whatever result came back.
void HostCall(benchmark::State& state, IMoaMmXScript* script, const MoaMmValue& object, int method) {
    marlowhost::ValueStore& store = LoadedSession::Get().Host().Store();
    MoaMmValue arguments[1] = {object};
    for (auto _ : state) {
        MoaMmCallInfo call = {};
        call.xinst = store.Object(object);
        call.methodSelector = method;
        call.nargs = 1;
        call.pArgs = arguments;
        benchmark::DoNotOptimize(script->Call(&call));
        store.Release(call.resultValue);
    }
}

marlowhost::XtraInstance& OpenObject() {
    static std::unique_ptr<marlowhost::XtraInstance> object = LoadedSession::Get().OpenObject(11025, 1);
    return *object;
}

void BM_EmptyHostCall(benchmark::State& state) {
    EmptyScript script;
    HostCall(state, &script, OpenObject().Value(), 4);
}

void BM_IsAudioOpenCall(benchmark::State& state) {
    LoadedSession& session = LoadedSession::Get();
    IMoaUnknown* instance = session.Host().Store().Object(OpenObject().Value());
    IMoaMmXScript* script = nullptr;
    if (instance->QueryInterface(&IID_IMoaMmXScript, reinterpret_cast<void**>(&script)) != kMoaErr_NoErr) {
        state.SkipWithError("no script interface");
        return;
    }
    if (OpenObject().CallText("IsAudioOpen") != "1") {
        state.SkipWithError("the device is not open");
    } else {
        HostCall(state, script, OpenObject().Value(), session.Method("IsAudioOpen"));
    }
    script->Release();
}

// What the host itself spends on the integer that IsAudioOpen answers.
void BM_HostIntegerValue(benchmark::State& state) {
    marlowhost::ValueStore& store = LoadedSession::Get().Host().Store();
    for (auto _ : state) {
        MoaMmValue value = store.MakeInteger(1);
        benchmark::DoNotOptimize(value);
        store.Release(value);
    }
}

// The whole Lingo call as the loader makes it, interface lookup included.
void BM_IsAudioOpenLingoCall(benchmark::State& state) {
    LoadedSession& session = LoadedSession::Get();
    const int method = session.Method("IsAudioOpen");
    for (auto _ : state) {
        session.CallAndRelease(OpenObject().Value(), method, {});
    }
}

BENCHMARK(BM_EmptyHostCall);
BENCHMARK(BM_IsAudioOpenCall);
BENCHMARK(BM_HostIntegerValue);
BENCHMARK(BM_IsAudioOpenLingoCall);

}  // namespace
}  // namespace bench
