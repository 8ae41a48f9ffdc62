#include "sample_match.h"

#include <algorithm>

namespace wine_tier {
namespace {

// Frames the take's start must match before the rest is compared: 16 frames
// of 16-bit noise do not recur by chance in minutes of it.
constexpr size_t kAnchorFrames = 16;

}  // namespace

SequenceMatch MatchSequence(const std::vector<int32_t>& take, const std::vector<int32_t>& sequence, int channels) {
    SequenceMatch match;
    const size_t width = static_cast<size_t>(channels);
    if (width == 0 || take.size() < kAnchorFrames * width || sequence.size() < take.size()) return match;
    const auto anchorEnd = take.begin() + static_cast<std::ptrdiff_t>(kAnchorFrames * width);
    for (size_t frame = 0; frame + kAnchorFrames <= sequence.size() / width; ++frame) {
        const auto at = sequence.begin() + static_cast<std::ptrdiff_t>(frame * width);
        if (!std::equal(take.begin(), anchorEnd, at)) continue;
        match.found = true;
        match.offset = frame;
        const size_t comparable = std::min(take.size(), sequence.size() - frame * width);
        const auto differ = std::mismatch(take.begin(), take.begin() + static_cast<std::ptrdiff_t>(comparable), at);
        match.matchedFrames = static_cast<size_t>(differ.first - take.begin()) / width;
        return match;
    }
    return match;
}

}  // namespace wine_tier
