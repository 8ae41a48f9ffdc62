// The recording format as the movie sets it, and the one check of whether
// any device could record it. The check comes before DirectSound sees the
// format: some drivers abort the whole process on a format they cannot
// take (Wine's on a rate of 0) instead of refusing it.
#pragma once

#include <cstdint>

#include "platform/windows_api.h"

struct RecordingFormat {
    int32_t channels = 1;
    uint32_t samplesPerSecond = 11025;
    int32_t bitsPerSample = 16;
};

// Fills record with the PCM record of wanted and answers true; answers false
// for a format no device can take: a rate outside DirectSound's 100 Hz to
// 200 kHz, a channel count of 0 or less, a sample size that is not 8, 16,
// 24 or 32 bits, or a channel count or frame size that the record's fields
// cannot hold.
bool RecordableWaveFormat(const RecordingFormat& wanted, WAVEFORMATEX* record);
