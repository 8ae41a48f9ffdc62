#include <algorithm>
#include <cmath>

#include "platform/simulator/machine.h"

namespace marlowsim {
namespace {

constexpr double kFullScale = 32767.0;
constexpr double kTwoPi = 6.283185307179586;

int16_t Scaled(double amplitude, double unit) {
    const double value = std::round(std::clamp(amplitude, 0.0, 1.0) * unit * kFullScale);
    return static_cast<int16_t>(std::clamp(value, -kFullScale, kFullScale));
}

// A fixed hash of the position: the same noise every run.
double NoiseUnit(uint64_t sampleIndex, int channel) {
    uint64_t z = sampleIndex * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(channel) + 1;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

}  // namespace

namespace detail {

void ResetInput() {
    TheMachine().channelInput[0] = Signal{};
    TheMachine().channelInput[1] = Signal{};
}

int16_t InputSample(int channel, uint64_t sampleIndex, uint32_t samplesPerSecond) {
    const Signal& signal = TheMachine().channelInput[std::clamp(channel, 0, 1)];
    const double cycles =
        samplesPerSecond == 0 ? 0.0
                              : static_cast<double>(sampleIndex) * signal.frequency / samplesPerSecond;
    const double phase = cycles - std::floor(cycles);
    switch (signal.waveform) {
        case Waveform::Silence:
            return 0;
        case Waveform::Sine:
            return Scaled(signal.amplitude, std::sin(kTwoPi * phase));
        case Waveform::Square:
            return Scaled(signal.amplitude, phase < 0.5 ? 1.0 : -1.0);
        case Waveform::Noise:
            return Scaled(signal.amplitude, NoiseUnit(sampleIndex, channel));
        case Waveform::Samples: {
            if (signal.samples.empty() || samplesPerSecond == 0) return 0;
            const uint64_t source = sampleIndex * signal.sampleRate / samplesPerSecond;
            return signal.samples[source % signal.samples.size()];
        }
    }
    return 0;
}

}  // namespace detail

using detail::TheMachine;

void SetInput(const Signal& signal) {
    TheMachine().channelInput[0] = signal;
    TheMachine().channelInput[1] = signal;
}

void SetChannelInput(int channel, const Signal& signal) {
    if (channel == 0 || channel == 1) TheMachine().channelInput[channel] = signal;
}

}  // namespace marlowsim
