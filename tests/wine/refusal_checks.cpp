// The Windows tier's checks of what is whole or refused
// (tests/wine/scenarios/refusals.ls), on the default device hearing the
// 1 kHz tone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tier_checks.h"
#include "tier_output.h"
#include "wav_analysis.h"

namespace wine_tier {
namespace {

const std::string kBadFormat = "Bad format (-2005401500)";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class WineRefusals : public WineTier {
protected:
    void SetUp() override {
        WineTier::SetUp();
        if (IsSkipped()) return;
        ASSERT_EQ(ExitStatus("refusals"), 0);
        texts = PutTexts(Transcript("refusals"));
    }
    // The one answer put after prefix.
    std::string Answer(const std::string& prefix) {
        const std::vector<std::string> found = LinesAfter(texts, prefix);
        EXPECT_EQ(found.size(), 1u) << prefix;
        return found.empty() ? std::string() : found[0];
    }
    std::vector<std::string> texts;
};

TEST_F(WineRefusals, ATakeSavedAfterSetFormatKeepsItsOwnRateAndChannels) {
    EXPECT_EQ(Answer("own format set: "), "Ok");
    EXPECT_EQ(Answer("own format play: "), "Ok");
    for (const char* file : {"own-format.wav", "members/1-own format.wav"}) {
        SCOPED_TRACE(file);
        const WavFile take = ReadWav(FileOf("refusals", file));
        ASSERT_TRUE(take.parsed) << take.failure;
        EXPECT_EQ(take.format.sampleRate, 44100u);
        EXPECT_EQ(take.format.channels, 2);
        EXPECT_EQ(take.format.bitsPerSample, 16);
        EXPECT_EQ(take.format.dataBytes, 176400u);
        EXPECT_TRUE(WithinPercent(DominantFrequency(take.Channel(1), 44100, 100.0, 5000.0), 1000.0, 2.0));
    }
}

// Each size either meters and records, its level on the 16-bit scale
// within 5 % of the 16-bit reading, or is refused as DirectSound refuses it.
TEST_F(WineRefusals, EachSampleSizeRecordsOnTheSixteenBitScaleOrIsRefused) {
    const auto levelOf = [&](int bits) {
        const std::string answer = Answer("size " + std::to_string(bits) + ": ");
        const size_t left = answer.find("#Left: ");
        return left == std::string::npos ? -1.0 : std::stod(answer.substr(left + 7));
    };
    const double sixteen = levelOf(16);
    EXPECT_TRUE(WithinPercent(sixteen, kToneMagnitude16, 5.0));
    for (int bits : {8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        const std::string record = Answer("size " + std::to_string(bits) + " record: ");
        if (record == "Ok") {
            // 8-bit levels keep their own scale, 256 times smaller.
            EXPECT_TRUE(WithinPercent(levelOf(bits) * (bits == 8 ? 256 : 1), sixteen, 5.0));
        } else {
            EXPECT_TRUE(EndsWith(record, kBadFormat)) << record;
            EXPECT_EQ(Answer("size " + std::to_string(bits) + ": ").rfind("Error :Could not create capture buffer:" + kBadFormat, 0), 0u);
        }
    }
}

TEST_F(WineRefusals, ATakeSurvivesARefusedStart) {
    EXPECT_EQ(Answer("survivor record: "), "Ok");
    EXPECT_EQ(Answer("refused start: ").rfind("Error :", 0), 0u);
    EXPECT_EQ(Answer("survivor file: "), "Ok");
    const WavFile take = ReadWav(FileOf("refusals", "survivor.wav"));
    ASSERT_TRUE(take.parsed) << take.failure;
    EXPECT_EQ(take.format.dataBytes, 22050u);
    EXPECT_TRUE(WithinPercent(MeanMagnitude(take.Channel(0)), kToneMagnitude16, 5.0));
}

// Rates of 0, 1 Hz, 1 MHz and 4.3 GHz and sizes of 48 and 64 bits crashed
// Wine's sound driver or mixer; they, and other formats no device takes,
// are refused before DirectSound sees them, and the program runs on.
TEST_F(WineRefusals, FormatsNoDeviceTakesAreRefusedAndTheProgramRunsOn) {
    const std::vector<std::string> records = LinesAfter(texts, "bad ");
    ASSERT_EQ(records.size(), 27u);
    for (const std::string& line : records) {
        if (line.find(" record: ") != std::string::npos || line.find(" meter: ") != std::string::npos) {
            EXPECT_TRUE(EndsWith(line, kBadFormat)) << line;
        } else {
            EXPECT_TRUE(EndsWith(line, " play: Ok")) << line;
        }
    }
    EXPECT_EQ(Answer("after bad formats: "), "Ok");
    EXPECT_EQ(texts.back(), "done");
}

TEST_F(WineRefusals, StopRecordingDuringMeteringStopsNothing) {
    EXPECT_EQ(Answer("stop while metering: "), "Error :No capture to stop (-1)");
    EXPECT_EQ(Answer("metering after stop: "), "1");
}

TEST_F(WineRefusals, AFullTakeIsWholeFrames) {
    EXPECT_EQ(Answer("full take file: "), "Ok");
    const WavFile take = ReadWav(FileOf("refusals", "full-take.wav"));
    ASSERT_TRUE(take.parsed) << take.failure;
    EXPECT_EQ(take.format.dataBytes, 2204u);
}

}  // namespace
}  // namespace wine_tier
