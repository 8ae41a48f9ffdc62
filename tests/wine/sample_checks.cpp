// The Windows tier's checks of every sample (tests/wine/scenarios/samples.ls):
// a take of a known sequence played at the take's own format holds a
// stretch of it exactly, and a tone the sound server resamples for a take
// runs on through all of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sample_match.h"
#include "tier_checks.h"
#include "tier_output.h"
#include "tone_continuity.h"
#include "wav_analysis.h"

namespace wine_tier {
namespace {

constexpr uint32_t kTakeSeconds = 10;

class WineSamples : public WineTier {
protected:
    void SetUp() override {
        WineTier::SetUp();
        if (IsSkipped()) return;
        ASSERT_EQ(ExitStatus("samples"), 0);
        texts = PutTexts(Transcript("samples"));
    }
    WavFile Take(const std::string& name) {
        EXPECT_TRUE(std::find(texts.begin(), texts.end(), name + " saved: Ok") != texts.end()) << name;
        return ReadWav(FileOf("samples", name));
    }
    std::vector<std::string> texts;
};

TEST_F(WineSamples, ATakeOfAKnownSequenceHoldsAStretchOfItExactly) {
    for (uint32_t rate : {44100u, 48000u}) {
        SCOPED_TRACE(rate);
        const WavFile take = Take("sequence-" + std::to_string(rate) + ".wav");
        const WavFile reference = ReadWav(OutputFolder() + "/reference-" + std::to_string(rate) + ".wav");
        ASSERT_TRUE(take.parsed) << take.failure;
        ASSERT_TRUE(reference.parsed) << reference.failure;
        EXPECT_EQ(take.format.sampleRate, rate);
        EXPECT_EQ(take.format.channels, 2);
        EXPECT_EQ(take.format.bitsPerSample, 16);
        ASSERT_EQ(take.Frames(), kTakeSeconds * rate);
        const SequenceMatch match = MatchSequence(take.Samples(), reference.Samples(), 2);
        ASSERT_TRUE(match.found) << "the take's first frames are nowhere in the sequence";
        EXPECT_TRUE(match.Whole(take.Frames()))
            << "exact for " << match.matchedFrames << " frames from frame " << match.offset
            << " of the sequence, then the frame at " << match.matchedFrames * 1000.0 / rate << " ms differs";
    }
}

TEST_F(WineSamples, AResampledToneRunsOnThroughTheWholeTake) {
    for (const char* name : {"tone-11025-16.wav", "tone-22050-8.wav"}) {
        SCOPED_TRACE(name);
        const WavFile take = Take(name);
        ASSERT_TRUE(take.parsed) << take.failure;
        ASSERT_EQ(take.Frames(), kTakeSeconds * take.format.sampleRate);
        const ToneContinuity continuity = MeasureToneContinuity(take.Channel(0), take.format.sampleRate);
        EXPECT_GT(continuity.crossings, 523u * kTakeSeconds - 10);
        EXPECT_LT(continuity.largestJump, 1.0) << "the tone jumps at " << continuity.atSecond << " s";
    }
}

}  // namespace
}  // namespace wine_tier
