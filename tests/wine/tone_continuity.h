// Whether a tone runs on through a take: a packet lost or repeated anywhere
// moves every later rising zero crossing by its length (modulo the tone's
// period), so the interval that spans it is off by that much.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wine_tier {

struct ToneContinuity {
    size_t crossings = 0;     // rising zero crossings found
    double largestJump = 0;   // the largest |interval - period|, in samples
    double atSecond = 0;      // where it was, in seconds from the start
};

// A steady tone in one channel's samples; its period is the median
// interval, so a rate conversion that is slightly off is not a jump.
ToneContinuity MeasureToneContinuity(const std::vector<int32_t>& samples, uint32_t sampleRate);

}  // namespace wine_tier
