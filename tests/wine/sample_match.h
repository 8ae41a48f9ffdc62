// Whether a take holds a stretch of a known sequence exactly: every frame
// equal and in order, none missing or repeated, from its first frame to its
// last. A packet dropped, repeated or altered on its way shows as the first
// frame that differs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wine_tier {

struct SequenceMatch {
    bool found = false;        // the take's first frames stand somewhere in the sequence
    size_t offset = 0;         // the frame of the sequence where they stand
    size_t matchedFrames = 0;  // frames equal from there on, in order
    bool Whole(size_t takeFrames) const { return found && matchedFrames == takeFrames; }
};

// Both are interleaved samples of `channels` channels. The take's first
// frames must stand only once in the sequence (a pseudo-random one).
SequenceMatch MatchSequence(const std::vector<int32_t>& take, const std::vector<int32_t>& sequence, int channels);

}  // namespace wine_tier
