// The costs that grow with the take, at 1 s, 10 s and 60 s of 44.1 kHz
// 16-bit stereo: SaveAsFile beside one fwrite of the same bytes, the sound
// image and the first play copy beside memcpy, and the peak memory of
// SaveAsMember.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "audio/direct_sound_audio_device.h"
#include "loaded_session.h"

namespace bench {
namespace {

int Seconds(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

void BM_SaveAsFile(benchmark::State& state) {
    LoadedSession& session = LoadedSession::Get();
    marlowhost::XtraInstance& object = session.ObjectWithTake(Seconds(state));
    const std::string path = session.Scratch() + "/save.wav";
    const int method = session.Method("SaveAsFile");
    if (object.CallText("SaveAsFile", {session.Text(path)}) != "\"Ok\"") {
        state.SkipWithError("SaveAsFile failed");
        return;
    }
    for (auto _ : state) {
        MoaMmValue name = session.Text(path);
        session.CallAndRelease(object.Value(), method, {name});
        session.Host().Store().Release(name);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * StereoTakeBytes(Seconds(state))));
}

void BM_Fwrite(benchmark::State& state) {
    const std::string path = LoadedSession::Get().Scratch() + "/fwrite.bin";
    const std::vector<char> bytes(StereoTakeBytes(Seconds(state)), 'x');
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

// An engine with a full take of seconds, straight on the simulator.
DirectSoundAudioDevice& EngineWithTake(int seconds) {
    // The session sets the machine up; made first, it outlives the devices.
    LoadedSession::Get();
    static std::map<int, std::unique_ptr<DirectSoundAudioDevice>> devices;
    std::unique_ptr<DirectSoundAudioDevice>& device = devices[seconds];
    if (!device) {
        device = std::make_unique<DirectSoundAudioDevice>(reinterpret_cast<HWND>(0x5150));
        device->SetFormat(2, 44.1f, 16, "");
        device->Open("");
        device->StartCapture(seconds * 1000, false);
        marlowsim::AdvanceClock(static_cast<uint32_t>(seconds) * 1000u + 100u);
        device->IsCapturing();
    }
    return *device;
}

void BM_SoundImage(benchmark::State& state) {
    DirectSoundAudioDevice& device = EngineWithTake(Seconds(state));
    if (device.takeBytes != StereoTakeBytes(Seconds(state))) {
        state.SkipWithError("the take has the wrong length");
        return;
    }
    // The block is freed inside the timing: pausing costs more than freeing.
    for (auto _ : state) {
        HGLOBAL image = device.SoundImage();
        benchmark::DoNotOptimize(image);
        GlobalFree(image);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * device.takeBytes));
}

void BM_FirstPlayCopy(benchmark::State& state) {
    DirectSoundAudioDevice& device = EngineWithTake(Seconds(state));
    // The last copy is released inside the timing, as the next capture would.
    for (auto _ : state) {
        device.PlayStop();
        if (device.playBuffer != nullptr) {
            device.playBuffer->Release();
            device.playBuffer = nullptr;
        }
        if (device.PlayStart().failed) {
            state.SkipWithError("PlayStart failed");
            break;
        }
    }
    device.PlayStop();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * device.takeBytes));
}

// Bandwidth of one copy into memory that is already mapped.
void BM_Memcpy(benchmark::State& state) {
    const size_t bytes = StereoTakeBytes(Seconds(state));
    std::vector<char> from(bytes, 'x');
    std::vector<char> to(bytes, 'y');
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// The same copy into a fresh block, as any new image or buffer must take.
void BM_MemcpyIntoNewBlock(benchmark::State& state) {
    const size_t bytes = StereoTakeBytes(Seconds(state));
    std::vector<char> from(bytes, 'x');
    for (auto _ : state) {
        char* to = static_cast<char*>(std::malloc(bytes));
        std::memcpy(to, from.data(), bytes);
        benchmark::DoNotOptimize(to);
        std::free(to);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// What the image cannot do without: a new zero-filled block of the same
// size and one copy into it, then the block freed.
void BM_ZeroFilledBlockAndCopy(benchmark::State& state) {
    const size_t bytes = StereoTakeBytes(Seconds(state));
    std::vector<char> from(bytes, 'x');
    for (auto _ : state) {
        char* to = static_cast<char*>(std::calloc(bytes + 48, 1));
        std::memcpy(to + 48, from.data(), bytes);
        benchmark::DoNotOptimize(to);
        std::free(to);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

long StatusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) {
            return std::atol(line.c_str() + length);
        }
    }
    return -1;
}

// Peak resident growth over the call, from the high-water mark that
// clear_refs resets.
void BM_SaveAsMemberPeak(benchmark::State& state) {
    LoadedSession& session = LoadedSession::Get();
    marlowhost::XtraInstance& object = session.ObjectWithTake(Seconds(state));
    const int method = session.Method("SaveAsMember");
    double worstGrowth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = StatusKilobytes("VmRSS:");
        MoaMmValue name = session.Text("take");
        state.ResumeTiming();
        session.CallAndRelease(object.Value(), method, {name});
        state.PauseTiming();
        session.Host().Store().Release(name);
        const double growth = (StatusKilobytes("VmHWM:") - before) * 1024.0;
        worstGrowth = growth > worstGrowth ? growth : worstGrowth;
        state.ResumeTiming();
    }
    const double take = static_cast<double>(StereoTakeBytes(Seconds(state)));
    state.counters["peak_growth"] = worstGrowth;
    state.counters["image"] = take + 48;
    state.counters["capture_buffer"] = take + 200;
}

BENCHMARK(BM_SaveAsFile)->Arg(1)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fwrite)->Arg(1)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SoundImage)->Arg(1)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPlayCopy)->Arg(1)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Arg(1)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyIntoNewBlock)->Arg(1)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZeroFilledBlockAndCopy)->Arg(1)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAsMemberPeak)->Arg(1)->Arg(10)->Arg(60)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bench
