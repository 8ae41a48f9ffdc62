#include "wav_analysis.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace wine_tier {
namespace {

// Energy of one frequency over the samples (Goertzel).
double EnergyAt(const std::vector<int32_t>& samples, uint32_t sampleRate, double hz) {
    const double coefficient = 2.0 * std::cos(2.0 * M_PI * hz / sampleRate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (int32_t sample : samples) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

double Strongest(const std::vector<int32_t>& samples, uint32_t sampleRate, double from, double to, double step) {
    double best = from;
    double bestEnergy = -1.0;
    for (double hz = from; hz <= to; hz += step) {
        const double energy = EnergyAt(samples, sampleRate, hz);
        if (energy > bestEnergy) {
            bestEnergy = energy;
            best = hz;
        }
    }
    return best;
}

}  // namespace

uint32_t WavFile::U32At(size_t offset) const {
    if (offset + 4 > bytes.size()) return 0;
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

std::vector<uint8_t> WavFile::Data() const {
    return std::vector<uint8_t>(bytes.begin() + format.dataOffset,
                                bytes.begin() + format.dataOffset + format.dataBytes);
}

std::vector<int32_t> WavFile::Samples() const {
    std::vector<int32_t> samples;
    const uint32_t sampleBytes = format.bitsPerSample / 8u;
    if (sampleBytes == 0) return samples;
    const size_t count = static_cast<size_t>(Frames()) * format.channels;
    samples.reserve(count);
    for (size_t index = 0; index < count; ++index) {
        const size_t at = format.dataOffset + index * sampleBytes;
        samples.push_back(sampleBytes == 1 ? static_cast<int32_t>(bytes[at]) - 128
                                           : static_cast<int16_t>(bytes[at] | bytes[at + 1] << 8));
    }
    return samples;
}

std::vector<int32_t> WavFile::Channel(int channel) const {
    std::vector<int32_t> samples;
    if (channel >= format.channels) return samples;
    const std::vector<int32_t> all = Samples();
    for (size_t index = static_cast<size_t>(channel); index < all.size(); index += format.channels) {
        samples.push_back(all[index]);
    }
    return samples;
}

WavFile ReadWav(const std::string& path) {
    WavFile wav;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        wav.failure = "cannot read " + path;
        return wav;
    }
    wav.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!marlowhost::ReadWavSummary(wav.bytes, &wav.format)) {
        wav.failure = "no RIFF/WAVE with a format and a data chunk";
        return wav;
    }
    if (wav.U32At(4) != wav.bytes.size() - 8) {
        wav.failure = "the RIFF size is " + std::to_string(wav.U32At(4)) + ", the file holds " +
                      std::to_string(wav.bytes.size() - 8);
        return wav;
    }
    wav.parsed = true;
    return wav;
}

double MeanMagnitude(const std::vector<int32_t>& samples) {
    if (samples.empty()) return 0.0;
    double sum = 0.0;
    for (int32_t sample : samples) sum += std::abs(sample);
    return sum / samples.size();
}

double DominantFrequency(const std::vector<int32_t>& samples, uint32_t sampleRate, double lowHz, double highHz) {
    if (samples.empty() || sampleRate == 0) return 0.0;
    const double coarse = Strongest(samples, sampleRate, lowHz, highHz, 5.0);
    return Strongest(samples, sampleRate, coarse - 5.0, coarse + 5.0, 0.1);
}

double Amplitude(const std::vector<int32_t>& samples, uint32_t sampleRate, double hz) {
    if (samples.empty() || sampleRate == 0) return 0.0;
    return 2.0 * std::sqrt(EnergyAt(samples, sampleRate, hz)) / samples.size();
}

std::vector<double> BlockMagnitudes(const std::vector<int32_t>& samples, size_t blockSamples) {
    std::vector<double> magnitudes;
    for (size_t from = 0; blockSamples > 0 && from + blockSamples <= samples.size(); from += blockSamples) {
        magnitudes.push_back(MeanMagnitude({samples.begin() + from, samples.begin() + from + blockSamples}));
    }
    return magnitudes;
}

}  // namespace wine_tier
