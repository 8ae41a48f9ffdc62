// What the Windows tier's checks need from a WAV file: its bytes, its
// samples, and the measures of a tone: mean magnitude, dominant frequency,
// the amplitude at a frequency, and the magnitude block by block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wav_summary.h"

namespace wine_tier {

struct WavFile {
    bool parsed = false;
    std::string failure;         // why it did not parse
    std::vector<uint8_t> bytes;  // the whole file
    marlowhost::WavSummary format;

    std::vector<uint8_t> Data() const;
    uint32_t BlockAlign() const { return format.channels * (format.bitsPerSample / 8u); }
    uint32_t Frames() const { return BlockAlign() == 0 ? 0 : format.dataBytes / BlockAlign(); }
    // One channel's samples as signed values (8-bit: byte - 128).
    std::vector<int32_t> Channel(int channel) const;
    // Every sample, interleaved, as Channel reads them.
    std::vector<int32_t> Samples() const;
    // The little-endian 32-bit value at a byte offset of the file.
    uint32_t U32At(size_t offset) const;
};

WavFile ReadWav(const std::string& path);

double MeanMagnitude(const std::vector<int32_t>& samples);
// The frequency between lowHz and highHz with the most energy, to 0.1 Hz.
double DominantFrequency(const std::vector<int32_t>& samples, uint32_t sampleRate, double lowHz, double highHz);
// The amplitude of the samples' component at hz: a sine of amplitude A at
// that frequency reads A.
double Amplitude(const std::vector<int32_t>& samples, uint32_t sampleRate, double hz);
// The mean magnitude of each whole block of blockSamples, in order.
std::vector<double> BlockMagnitudes(const std::vector<int32_t>& samples, size_t blockSamples);

}  // namespace wine_tier
