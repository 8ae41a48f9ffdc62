// What a RIFF/WAVE image says about its sound: format and length.
#pragma once

#include <cstdint>
#include <vector>

namespace marlowhost {

struct WavSummary {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t bitsPerSample = 0;
    uint32_t dataBytes = 0;
    uint32_t dataOffset = 0;  // of the first sample in the image
    // From the data length and the byte rate.
    uint32_t DurationMilliseconds() const;
};

// False when the image is no RIFF/WAVE with a format and a data chunk
// inside its bytes.
bool ReadWavSummary(const std::vector<uint8_t>& image, WavSummary* summary);

}  // namespace marlowhost
