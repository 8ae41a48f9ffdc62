// Runs every benchmark with a reporter that keeps the figures, then writes
// the figures beside their limits to the file named by --results=PATH.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "loaded_session.h"
#include "results_report.h"

namespace bench {

namespace {
void IgnoreMessageBox(const marlowsim::MessageBoxRecord&) {}
void IgnoreDebugLine(const char*) {}
}  // namespace

LoadedSession& LoadedSession::Get() {
    static LoadedSession session;
    return session;
}

LoadedSession::LoadedSession() {
    marlowsim::ResetMachine();
    marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
    marlowsim::SetMessageBoxSink(&IgnoreMessageBox);
    marlowsim::SetDebugOutputSink(&IgnoreDebugLine);
    if (!loader_.Load(MARLOWTIDE_XTRA_LIBRARY)) {
        std::fprintf(stderr, "cannot load %s: %s\n", MARLOWTIDE_XTRA_LIBRARY, loader_.FailureText().c_str());
        std::exit(1);
    }
    scratch_ = MARLOWTIDE_BENCH_SCRATCH;
    std::filesystem::create_directories(scratch_);
}

void LoadedSession::CallAndRelease(const MoaMmValue& object, int method, const std::vector<MoaMmValue>& arguments) {
    MoaMmValue result = marlowhost::ValueStore::Void();
    loader_.CallMethod(object, method, arguments, &result);
    host_.Store().Release(result);
}

std::unique_ptr<marlowhost::XtraInstance> LoadedSession::OpenObject(uint32_t rate, int channels) {
    auto object = std::make_unique<marlowhost::XtraInstance>(loader_);
    std::vector<std::pair<std::string, MoaMmValue>> format;
    format.emplace_back("SampleRate", host_.Values().Float(rate / 1000.0));
    format.emplace_back("NumberOfChannels", host_.Values().Int(channels));
    format.emplace_back("SampleSize", host_.Values().Int(16));
    MoaMmValue formatList = host_.Values().PropList(std::move(format));
    object->CallText("SetFormat", {formatList});
    object->CallText("OpenAudio", {Text("")});
    return object;
}

marlowhost::XtraInstance& LoadedSession::ObjectWithTake(int seconds) {
    std::unique_ptr<marlowhost::XtraInstance>& held = takes_[seconds];
    if (!held) {
        held = OpenObject(44100, 2);
        held->CallText("StartRecording", {host_.Values().Int(seconds * 1000)});
        marlowsim::AdvanceClock(static_cast<uint32_t>(seconds) * 1000u + 100u);
        host_.Idle();
        if (held->CallText("RecordingNow") != "0") {
            std::fprintf(stderr, "the %d s take did not end\n", seconds);
            std::exit(1);
        }
    }
    return *held;
}

}  // namespace bench

int main(int argc, char** argv) {
    std::string resultsPath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--results=", 0) == 0) {
            resultsPath = argument.substr(10);
        }
    }
    benchmark::Initialize(&argc, argv);
    bench::CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (!resultsPath.empty()) {
        return bench::WriteResults(reporter, resultsPath) ? 0 : 1;
    }
    return 0;
}
