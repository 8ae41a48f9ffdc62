// The Windows tier's checks of devices: what each of the session's capture
// devices recorded, a device lost during a take, during metering and during
// playback, and a 60 s take (tests/wine/run-session.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tier_checks.h"
#include "tier_output.h"
#include "wav_analysis.h"

namespace wine_tier {
namespace {

// Each device of the session with the tone it hears; the default device
// hears 1 kHz.
struct Device {
    const char* name;
    double hz;
};
constexpr Device kDevices[] = {{"Headset Microphone", 440.0}, {"Line In", 700.0}, {"Virtual Cable", 1500.0}};
constexpr double kDefaultHz = 1000.0;

// The longest a position may stand still while the buffer claims to run
// before the Xtra gives the device up, and what the checks allow on top of
// it for polling and a slow machine.
constexpr int kStallLimitMs = 4000;
constexpr int kNoticeMarginMs = 2000;
// However slow the machine, a call that takes longer than this hangs.
constexpr int kPromptMs = 1000;

// The take is the tone at hz and no other of the session's tones: its
// strongest frequency is hz within 2 %, every other tone is below 2 % of
// its amplitude, and its level is the tone's within 5 %.
void ExpectOnlyTone(const WavFile& wav, double hz) {
    ASSERT_TRUE(wav.parsed) << wav.failure;
    const std::vector<int32_t> samples = wav.Channel(0);
    const uint32_t rate = wav.format.sampleRate;
    EXPECT_TRUE(WithinPercent(DominantFrequency(samples, rate, 100.0, rate / 2.0 - 50.0), hz, 2.0));
    const double own = Amplitude(samples, rate, hz);
    for (double other : {440.0, 700.0, 1000.0, 1500.0}) {
        if (other == hz) continue;
        EXPECT_LT(Amplitude(samples, rate, other), own * 0.02) << other << " Hz is heard too";
    }
    EXPECT_TRUE(WithinPercent(MeanMagnitude(samples), kToneMagnitude16, 5.0));
}

// Every 10 ms of the channel sounds: none has less than half the tone's
// level. A gap, a late start or silence added at the end shows here.
void ExpectNoGap(const std::vector<int32_t>& samples, uint32_t sampleRate) {
    const std::vector<double> blocks = BlockMagnitudes(samples, sampleRate / 100);
    ASSERT_FALSE(blocks.empty());
    const auto quietest = std::min_element(blocks.begin(), blocks.end());
    EXPECT_GT(*quietest, kToneMagnitude16 / 2) << "10 ms of silence at " << (quietest - blocks.begin()) * 10 << " ms";
}

int Number(const std::vector<std::string>& texts, const std::string& prefix) {
    const std::vector<std::string> found = LinesAfter(texts, prefix);
    return found.size() == 1 ? std::stoi(found[0]) : -1;
}

// ---- each device by what it records --------------------------------------------

class WineDevices : public WineTier {
protected:
    void SetUp() override {
        WineTier::SetUp();
        if (IsSkipped()) return;
        ASSERT_EQ(ExitStatus("device-tones"), 0);
        texts = PutTexts(Transcript("device-tones"));
    }
    std::vector<std::string> texts;
};

TEST_F(WineDevices, EachIsListedAndRecordsItsOwnToneAndNoOther) {
    const std::vector<std::string> listed = LinesAfter(texts, "device: ");
    for (size_t i = 0; i < std::size(kDevices); ++i) {
        const std::string name = kDevices[i].name;
        SCOPED_TRACE(name);
        EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end()) << "not listed";
        // Each is closed before the next opens.
        EXPECT_EQ(LinesAfter(texts, name + " open: "), std::vector<std::string>{"Ok"});
        EXPECT_EQ(LinesAfter(texts, name + " take: "), std::vector<std::string>{"Ok Ok"});
        EXPECT_EQ(LinesAfter(texts, name + " close: "), std::vector<std::string>{"Ok"});
        const WavFile take = ReadWav(FileOf("device-tones", "device-" + std::to_string(i + 1) + ".wav"));
        ExpectOnlyTone(take, kDevices[i].hz);
        EXPECT_EQ(take.format.dataBytes, 33074u);
    }
}

TEST_F(WineDevices, TheDefaultDeviceRecordsTheDefaultSink) {
    EXPECT_EQ(LinesAfter(texts, "default take: "), std::vector<std::string>{"Ok Ok"});
    const WavFile take = ReadWav(FileOf("device-tones", "default.wav"));
    ExpectOnlyTone(take, kDefaultHz);
    EXPECT_EQ(take.format.dataBytes, 33074u);
}

TEST_F(WineDevices, TwoObjectsRecordTwoDevicesAtOnceEachItsOwnToneWhole) {
    for (const char* step : {"both open: ", "both record: ", "both saved: "}) {
        EXPECT_EQ(LinesAfter(texts, step), std::vector<std::string>{"Ok Ok"}) << step;
    }
    const std::pair<const char*, double> takes[] = {{"both-a.wav", 700.0}, {"both-b.wav", 1500.0}};
    for (const auto& [file, hz] : takes) {
        SCOPED_TRACE(file);
        const WavFile take = ReadWav(FileOf("device-tones", file));
        ExpectOnlyTone(take, hz);
        EXPECT_EQ(take.format.dataBytes, 33074u);
        ExpectNoGap(take.Channel(0), take.format.sampleRate);
    }
}

// ---- a device lost -----------------------------------------------------------------

class WineDeviceLoss : public WineTier {
protected:
    // The run's transcript and when the session took the device away, in ms
    // after the movie said it had started.
    void Read(const std::string& run) {
        ASSERT_EQ(ExitStatus(run), 0);
        texts = PutTexts(Transcript(run));
        const std::vector<std::string> loss = LinesOf(OutputFolder() + "/" + run + ".loss");
        ASSERT_EQ(loss.size(), 1u) << "the session did not take the device away";
        lossMs = std::stoi(loss[0]);
    }

    // It ended within the stall limit of the loss, and no call took long.
    void ExpectEndedPromptly() {
        const int ended = Number(texts, "ended after: ");
        ASSERT_GE(ended, 0);
        EXPECT_LE(ended, lossMs + kStallLimitMs + kNoticeMarginMs) << "the loss came after " << lossMs << " ms";
        const int slowest = Number(texts, "slowest call: ");
        ASSERT_GE(slowest, 0);
        EXPECT_LE(slowest, kPromptMs);
    }

    // The loss reaches the movie once, in words that say so, through each
    // handler that hears of it.
    void ExpectReportedOnce() {
        int reports = 0;
        for (const char* handler : {"report: ", "internal: "}) {
            int lost = 0;
            for (const std::string& report : LinesAfter(texts, handler)) {
                lost += report.find("lost") != std::string::npos ? 1 : 0;
            }
            EXPECT_LE(lost, 1) << handler;
            reports += lost;
        }
        EXPECT_GE(reports, 1) << "the loss was not reported";
    }

    // Back again, the device opens, and the first StartRecording after
    // OpenAudio answers "Ok" records its tone.
    void ExpectRecordsAgain(const std::string& run) {
        EXPECT_NE(Number(texts, "back after: "), -1) << "the device did not open again";
        for (const char* step : {"record again: ", "saved again: "}) {
            EXPECT_EQ(LinesAfter(texts, step), std::vector<std::string>{"Ok"}) << step;
        }
        const WavFile again = ReadWav(FileOf(run, "again.wav"));
        ExpectOnlyTone(again, kDevices[0].hz);
        EXPECT_EQ(again.format.dataBytes, 33074u);
    }

    std::vector<std::string> texts;
    int lossMs = 0;
};

TEST_F(WineDeviceLoss, DuringATakeTheTakeEndsKeepingWhatCameBeforeAndTheDeviceRecordsOnceBack) {
    Read("loss-recording");
    EXPECT_EQ(LinesAfter(texts, "record: "), std::vector<std::string>{"Ok"});
    ExpectEndedPromptly();
    ExpectReportedOnce();
    EXPECT_EQ(LinesAfter(texts, "save: "), std::vector<std::string>{"Ok"});
    // What came before the loss, whole, and nothing after it: the take is
    // no longer than the time to the loss (plus the sound server's buffer,
    // the session's polling and a slow machine's output), sounds in every
    // 10 ms, and is the tone. Left to run on, it would last 12 s: in the
    // emulated machine the session's steps alone take the loss 3 to 5 s in.
    const WavFile lost = ReadWav(FileOf("loss-recording", "lost.wav"));
    ASSERT_TRUE(lost.parsed) << lost.failure;
    const int takeMs = static_cast<int>(lost.Frames() * 1000u / lost.format.sampleRate);
    // The loss comes 2 s in; in the emulated machine the first packet can
    // come half a second late.
    EXPECT_GE(takeMs, 1000);
    EXPECT_LE(takeMs, lossMs + 1000) << "the loss came after " << lossMs << " ms";
    ExpectOnlyTone(lost, kDevices[0].hz);
    ExpectNoGap(lost.Channel(0), lost.format.sampleRate);
    ExpectRecordsAgain("loss-recording");
}

TEST_F(WineDeviceLoss, DuringMeteringMeteringEndsAndTheDeviceRecordsOnceBack) {
    Read("loss-metering");
    // "level MS: LEFT ERROR", read every 100 ms from the start.
    int before = 0;
    for (const std::string& reading : LinesAfter(texts, "level ")) {
        const std::vector<std::string> words = Words(reading);
        ASSERT_GE(words.size(), 2u) << reading;
        if (std::stoi(words[0]) >= lossMs) break;
        ++before;
        ASSERT_EQ(words.size(), 3u) << reading;
        EXPECT_TRUE(WithinPercent(std::stod(words[1]), kToneMagnitude16, 20.0)) << reading;
        EXPECT_EQ(words[2], "Ok") << reading;
    }
    // In the emulated machine a turn of the movie's loop can take 300 ms.
    EXPECT_GE(before, 3) << "too few readings before the loss";
    ExpectEndedPromptly();
    ExpectReportedOnce();
    ExpectRecordsAgain("loss-metering");
}

TEST_F(WineDeviceLoss, DuringPlaybackPlaybackEndsAndTheTakePlaysAgain) {
    Read("loss-playback");
    EXPECT_EQ(LinesAfter(texts, "record: "), std::vector<std::string>{"Ok"});
    EXPECT_EQ(LinesAfter(texts, "play: "), std::vector<std::string>{"Ok"});
    ExpectEndedPromptly();
    // Not by itself: the take lasts 12 s.
    EXPECT_LT(Number(texts, "ended after: "), 12000);
    ExpectReportedOnce();
    EXPECT_EQ(LinesAfter(texts, "play again: "), std::vector<std::string>{"Ok"});
    EXPECT_EQ(LinesAfter(texts, "playing again: "), std::vector<std::string>{"1"});
}

// ---- a 60 s take ---------------------------------------------------------------------

TEST_F(WineTier, ALongTakeIsWholeAndARefusedMaximumLeavesTheObjectUsable) {
    ASSERT_EQ(ExitStatus("long-take"), 0);
    const std::vector<std::string> texts = PutTexts(Transcript("long-take"));
    const std::vector<std::string> huge = LinesAfter(texts, "huge: ");
    ASSERT_EQ(huge.size(), 1u);
    EXPECT_EQ(huge[0].rfind("Error :Could not create capture buffer:", 0), 0u) << huge[0];
    EXPECT_EQ(LinesAfter(texts, "recording after huge: "), std::vector<std::string>{"0"});
    EXPECT_EQ(LinesAfter(texts, "long: "), std::vector<std::string>{"Ok"});
    EXPECT_EQ(LinesAfter(texts, "saved: "), std::vector<std::string>{"Ok"});

    const WavFile take = ReadWav(FileOf("long-take", "long.wav"));
    ASSERT_TRUE(take.parsed) << take.failure;
    EXPECT_EQ(take.format.sampleRate, 44100u);
    EXPECT_EQ(take.format.bitsPerSample, 16);
    ASSERT_EQ(take.format.channels, 2);
    EXPECT_EQ(take.format.dataBytes, 60u * 44100u * 4u);
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE("channel " + std::to_string(channel));
        const std::vector<int32_t> samples = take.Channel(channel);
        ExpectNoGap(samples, 44100);
        const std::vector<double> seconds = BlockMagnitudes(samples, 44100);
        EXPECT_EQ(seconds.size(), 60u);
        for (size_t second = 0; second < seconds.size(); ++second) {
            EXPECT_TRUE(WithinPercent(seconds[second], kToneMagnitude16, 5.0)) << "second " << second + 1;
        }
    }
}

}  // namespace
}  // namespace wine_tier
