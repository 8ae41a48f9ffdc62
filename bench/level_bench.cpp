// GetInputLevel as a whole Lingo call through the loaded library, beside a
// plain loop summing the magnitudes of the same samples.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/direct_sound_audio_device.h"
#include "loaded_session.h"

namespace bench {
namespace {

// A metering object whose level reads a 50 ms window.
marlowhost::XtraInstance& MeteringObject(uint32_t rate, int channels) {
    LoadedSession& session = LoadedSession::Get();  // made first, so that it outlives the objects
    static std::map<uint32_t, std::unique_ptr<marlowhost::XtraInstance>> objects;
    std::unique_ptr<marlowhost::XtraInstance>& held = objects[rate * 4 + static_cast<uint32_t>(channels)];
    if (!held) {
        held = session.OpenObject(rate, channels);
        held->CallText("StartGetInputLevel");
        marlowsim::AdvanceClock(60);
    }
    return *held;
}

void GetInputLevelCall(benchmark::State& state, uint32_t rate, int channels) {
    LoadedSession& session = LoadedSession::Get();
    marlowhost::XtraInstance& object = MeteringObject(rate, channels);
    const std::string level = object.CallText("GetInputLevel");
    if (level.find("#Error: \"Ok\"") == std::string::npos || level.find("#Left: 0,") != std::string::npos) {
        state.SkipWithError(("no level: " + level).c_str());
        return;
    }
    const int method = session.Method("GetInputLevel");
    for (auto _ : state) {
        session.CallAndRelease(object.Value(), method, {});
    }
}

void BM_GetInputLevel_Default(benchmark::State& state) { GetInputLevelCall(state, 11025, 1); }
void BM_GetInputLevel_Stereo44k(benchmark::State& state) { GetInputLevelCall(state, 44100, 2); }

// The magnitudes of count 16-bit samples, summed as the level does it.
void BM_SumLoop(benchmark::State& state) {
    const size_t count = static_cast<size_t>(state.range(0));
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>(16384.0 * std::sin(static_cast<double>(i) * 0.0627));
    }
    for (auto _ : state) {
        const int16_t* data = samples.data();
        benchmark::DoNotOptimize(data);
        int32_t sum = 0;
        for (size_t i = 0; i < count; ++i) {
            sum += std::abs(static_cast<int32_t>(data[i]));
        }
        benchmark::DoNotOptimize(sum);
    }
}

// The level during a recording does not depend on the recording's length.
void BM_GetInputLevel_Recording(benchmark::State& state) {
    LoadedSession& session = LoadedSession::Get();  // made first, so that it outlives the objects
    static std::map<int64_t, std::unique_ptr<marlowhost::XtraInstance>> objects;
    std::unique_ptr<marlowhost::XtraInstance>& held = objects[state.range(0)];
    // Other benchmarks move the shared clock on; a recording they ended is
    // made again, halfway through once more.
    if (!held || held->CallText("RecordingNow") != "1") {
        held = session.OpenObject(11025, 1);
        held->CallText("StartRecording", {session.Host().Values().Int(static_cast<MoaLong>(state.range(0) * 1000))});
        marlowsim::AdvanceClock(static_cast<uint32_t>(state.range(0) * 500));
    }
    if (held->CallText("GetInputLevel").find("#Error: \"Ok\"") == std::string::npos) {
        state.SkipWithError("no level during the recording");
        return;
    }
    const int method = session.Method("GetInputLevel");
    for (auto _ : state) {
        session.CallAndRelease(held->Value(), method, {});
    }
}

// The engine's own part of GetInputLevel, without dispatcher and host values.
void BM_EngineGetLevel(benchmark::State& state) {
    LoadedSession::Get();
    DirectSoundAudioDevice device(reinterpret_cast<HWND>(0x5150));
    const int channels = static_cast<int>(state.range(0));
    device.SetFormat(channels, channels == 1 ? 11.025f : 44.1f, 16, "");
    device.Open("");
    device.SetLevelMetering(true, 50);
    marlowsim::AdvanceClock(60);
    int32_t left = 0;
    int32_t right = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(device.GetLevel(&left, &right).failed);
    }
    if (left == 0) {
        state.SkipWithError("no level");
    }
}

// The host's own work for the answer [[#Left: l, #Right: r, #Error: "Ok"]].
void BM_HostLevelResult(benchmark::State& state) {
    marlowhost::ValueStore& store = LoadedSession::Get().Host().Store();
    for (auto _ : state) {
        MoaMmValue list = store.MakeList();
        MoaMmValue properties = store.MakePropList();
        const char* const names[] = {"Left", "Right", "Error"};
        for (int i = 0; i < 3; ++i) {
            MoaMmValue key = store.MakeSymbol(store.Intern(names[i]));
            MoaMmValue value = i < 2 ? store.MakeInteger(1234) : store.MakeString("Ok");
            store.AppendProperty(properties, key, value);
            store.Release(key);
            store.Release(value);
        }
        store.Append(list, properties);
        store.Release(properties);
        store.Release(list);
    }
}

BENCHMARK(BM_GetInputLevel_Default);
BENCHMARK(BM_HostLevelResult);
BENCHMARK(BM_EngineGetLevel)->Arg(1)->Arg(2);
BENCHMARK(BM_GetInputLevel_Recording)->Arg(1)->Arg(10)->Arg(60);
BENCHMARK(BM_GetInputLevel_Stereo44k);
BENCHMARK(BM_SumLoop)->Arg(550)->Arg(4410);

}  // namespace
}  // namespace bench
