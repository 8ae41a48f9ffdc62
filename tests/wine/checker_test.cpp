// The tier's checkers of exact samples and of a tone's continuity, on takes
// doctored as a driver could spoil them: they must fail on one packet
// dropped, repeated or altered, and pass a take that is whole.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "sample_match.h"
#include "tone_continuity.h"

namespace wine_tier {
namespace {

constexpr int kChannels = 2;
constexpr size_t kPacketFrames = 441;  // Wine's 10 ms at 44.1 kHz

std::vector<int32_t> Noise(size_t frames) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> sample(-32768, 32767);
    std::vector<int32_t> samples(frames * kChannels);
    for (int32_t& value : samples) value = sample(random);
    return samples;
}

std::vector<int32_t> Frames(const std::vector<int32_t>& samples, size_t from, size_t count) {
    return std::vector<int32_t>(samples.begin() + static_cast<std::ptrdiff_t>(from * kChannels),
                                samples.begin() + static_cast<std::ptrdiff_t>((from + count) * kChannels));
}

void Append(std::vector<int32_t>* to, const std::vector<int32_t>& more) { to->insert(to->end(), more.begin(), more.end()); }

TEST(TierCheckers, ASequenceMatchFailsOnOnePacketDroppedRepeatedOrAltered) {
    const std::vector<int32_t> sequence = Noise(100 * kPacketFrames);
    const size_t start = 1234;
    const size_t frames = 50 * kPacketFrames;
    const std::vector<int32_t> whole = Frames(sequence, start, frames);
    const SequenceMatch match = MatchSequence(whole, sequence, kChannels);
    EXPECT_TRUE(match.Whole(frames));
    EXPECT_EQ(match.offset, start);

    const size_t cut = 20 * kPacketFrames;
    std::vector<int32_t> dropped = Frames(sequence, start, cut);
    Append(&dropped, Frames(sequence, start + cut + kPacketFrames, frames - cut));
    std::vector<int32_t> repeated = Frames(sequence, start, cut);
    Append(&repeated, Frames(sequence, start + cut - kPacketFrames, frames - cut));
    std::vector<int32_t> altered = whole;
    altered[cut * kChannels + 1] ^= 1;
    for (const std::vector<int32_t>* spoilt : {&dropped, &repeated, &altered}) {
        const SequenceMatch spoiltMatch = MatchSequence(*spoilt, sequence, kChannels);
        EXPECT_TRUE(spoiltMatch.found);
        EXPECT_EQ(spoiltMatch.matchedFrames, cut);
        EXPECT_FALSE(spoiltMatch.Whole(frames));
    }
    EXPECT_FALSE(MatchSequence(Noise(frames), Frames(Noise(frames + 9), 9, frames), kChannels).found);
}

TEST(TierCheckers, AToneThatLosesOrRepeatsAPacketJumpsByMoreThanASample) {
    const uint32_t rate = 11025;
    const double hz = 523.0;
    const size_t packet = 110;  // Wine's 10 ms at 11.025 kHz
    std::vector<int32_t> tone;
    for (size_t n = 0; n < 10 * rate; ++n) {
        tone.push_back(static_cast<int32_t>(std::lround(16384 * std::sin(2 * M_PI * hz * static_cast<double>(n) / rate))));
    }
    EXPECT_LT(MeasureToneContinuity(tone, rate).largestJump, 0.1);
    std::vector<int32_t> dropped(tone.begin(), tone.begin() + 5 * rate);
    dropped.insert(dropped.end(), tone.begin() + 5 * rate + packet, tone.end());
    std::vector<int32_t> repeated(tone.begin(), tone.begin() + 5 * rate);
    repeated.insert(repeated.end(), tone.begin() + 5 * rate - packet, tone.end());
    for (const std::vector<int32_t>* spoilt : {&dropped, &repeated}) {
        const ToneContinuity continuity = MeasureToneContinuity(*spoilt, rate);
        EXPECT_GT(continuity.largestJump, 1.0);
        EXPECT_NEAR(continuity.atSecond, 5.0, 0.01);
    }
}

}  // namespace
}  // namespace wine_tier
