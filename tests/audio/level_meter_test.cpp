#include <algorithm>
#include <set>
#include <string>

#include "audio_test_fixture.h"

namespace {

marlowsim::Signal Silence() {
    marlowsim::Signal signal;
    signal.waveform = marlowsim::Waveform::Silence;
    return signal;
}

marlowsim::Signal FullScaleSquare() {
    marlowsim::Signal signal;
    signal.waveform = marlowsim::Waveform::Square;
    signal.frequency = 100.0;
    signal.amplitude = 1.0;
    return signal;
}

class LevelMeterTest : public AudioDeviceTest {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        OpenDefault();
    }

    void ReadLevel(int32_t* left, int32_t* right) {
        const StatusRecord answer = device->GetLevel(left, right);
        EXPECT_TRUE(Succeeded(answer));
    }
};

TEST_F(LevelMeterTest, LevelNeedsMeteringOrARecording) {
    int32_t left = 7;
    int32_t right = 9;
    EXPECT_TRUE(FailedWith(device->GetLevel(&left, &right),
                           "You must enable GSIL or be capturing to get a sound level", -1));
    EXPECT_EQ(left, 7);
    EXPECT_EQ(right, 9);
}

TEST_F(LevelMeterTest, MeteringAtTheDefaultsMeasuresTheLast550Samples) {
    // A ramp 0, 1, 2, ... makes the mean tell which samples were measured.
    marlowsim::Signal ramp;
    ramp.waveform = marlowsim::Waveform::Samples;
    ramp.sampleRate = 11025;
    for (int i = 0; i < 2000; ++i) {
        ramp.samples.push_back(static_cast<int16_t>(i));
    }
    marlowsim::SetInput(ramp);
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(50)));
    EXPECT_TRUE(device->IsLevelMeteringActive());
    EXPECT_EQ(device->captureBufferBytes, 1302u);
    // 50 ms have passed in the wait: the read position is at 1102, so the
    // window is bytes 2 to 1101, samples 1 to 550.
    int32_t left = -1;
    int32_t right = -1;
    ReadLevel(&left, &right);
    EXPECT_EQ(left, (1 + 550) / 2);
    EXPECT_EQ(right, 0);
}

TEST_F(LevelMeterTest, AFirstBurstThatGoesRoundTheBufferUnseenStillGivesAWholeWindow) {
    // As Wine in a slow machine: nothing for 300 ms, then six 220-byte
    // packets at once into the 1302-byte metering buffer, then ten at a
    // time. The first position the meter sees is 18 bytes in, after a lap
    // nobody saw.
    marlowsim::SetCaptureBehaviour(marlowsim::CaptureBehaviour::Wine);
    marlowsim::SetCaptureLateStart(300);
    marlowsim::SetCaptureWakeUpPackets(6);
    // 10000 throughout, but for the nine samples that end the first burst.
    marlowsim::Signal signal;
    signal.waveform = marlowsim::Waveform::Samples;
    signal.sampleRate = 11025;
    signal.samples.assign(11025, 10000);
    std::fill(signal.samples.begin() + 651, signal.samples.begin() + 660, 0);
    marlowsim::SetInput(signal);
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    ASSERT_EQ(device->captureBufferBytes, 1302u);
    marlowsim::AdvanceClock(365);
    DWORD position = 0;
    ASSERT_EQ(device->captureBuffer->GetCurrentPosition(nullptr, &position), S_OK);
    ASSERT_EQ(position, 18u);
    marlowsim::SetCaptureWakeUpPackets(10);
    int32_t left = -1;
    int32_t right = -1;
    ReadLevel(&left, &right);
    // The 551 samples before the read position, not the nine the meter saw
    // first.
    EXPECT_EQ(left, 10000);
}

TEST_F(LevelMeterTest, FullScaleSquareReadsNearFullScale) {
    marlowsim::SetInput(FullScaleSquare());
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    marlowsim::AdvanceClock(500);
    int32_t left = 0;
    int32_t right = -1;
    ReadLevel(&left, &right);
    EXPECT_NEAR(left, 32767, 2);
    EXPECT_EQ(right, 0);  // mono
}

TEST_F(LevelMeterTest, StereoChannelsAreMeasuredApart) {
    // 22.05 kHz stereo: a 4610-byte buffer, not a whole number of frames,
    // and a 4400-byte window. The window must start on a frame wherever it
    // lies, or left and right come out swapped.
    device->SetFormat(2, 22.05f, 16, "");
    marlowsim::SetChannelInput(0, FullScaleSquare());
    marlowsim::SetChannelInput(1, Silence());
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(50)));
    EXPECT_EQ(device->captureBufferBytes, 4610u);
    int32_t left = 0;
    int32_t right = -1;
    ReadLevel(&left, &right);  // read position 4410: bytes 10 on
    EXPECT_NEAR(left, 32767, 2);
    EXPECT_EQ(right, 0);

    marlowsim::SetChannelInput(0, Silence());
    marlowsim::SetChannelInput(1, FullScaleSquare());
    marlowsim::AdvanceClock(107);  // read position 14: the window from the end
    ReadLevel(&left, &right);
    EXPECT_EQ(left, 0);
    EXPECT_NEAR(right, 32767, 2);
}

TEST_F(LevelMeterTest, SilenceReadsZeroInBothSampleSizes) {
    marlowsim::SetInput(Silence());
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(50)));
    int32_t left = -1;
    int32_t right = -1;
    ReadLevel(&left, &right);
    EXPECT_EQ(left, 0);

    device->SetLevelMeteringDuration(0);
    device->SetFormat(1, 11.025f, 8, "");
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(50)));
    left = -1;
    ReadLevel(&left, &right);
    EXPECT_EQ(left, 0);
}

TEST_F(LevelMeterTest, EightBitFullScaleReadsAtMost128) {
    device->SetFormat(1, 11.025f, 8, "");
    marlowsim::SetInput(FullScaleSquare());
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(50)));
    int32_t left = 0;
    int32_t right = 0;
    ReadLevel(&left, &right);
    EXPECT_GE(left, 126);
    EXPECT_LE(left, 128);
}

// Where a driver takes samples wider than 16 bits, they read on the 16-bit
// scale: the same tone reads the same, silence 0, left and right apart also
// where a frame is cut by the end of the metering buffer.
TEST_F(LevelMeterTest, WideSamplesReadOnTheSixteenBitScale) {
    marlowsim::SetWideSamplesAccepted(true);
    marlowsim::Signal tone;
    tone.frequency = 1000.0;
    tone.amplitude = 0.5;
    marlowsim::SetChannelInput(1, Silence());
    for (const int32_t channels : {1, 2}) {
        int32_t sixteenBitLevel = 0;
        for (const int32_t bits : {16, 24, 32}) {
            SCOPED_TRACE(std::to_string(channels) + " channels, " + std::to_string(bits) + " bits");
            device->SetFormat(channels, 44.1f, bits, "");
            for (const bool silent : {false, true}) {
                marlowsim::SetChannelInput(0, silent ? Silence() : tone);
                ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(50)));
                marlowsim::AdvanceClock(77);  // the window goes on at the buffer's start
                int32_t left = -1;
                int32_t right = -1;
                ReadLevel(&left, &right);
                device->SetLevelMeteringDuration(0);
                EXPECT_EQ(right, 0);
                if (silent) {
                    EXPECT_EQ(left, 0);
                } else if (bits == 16) {
                    sixteenBitLevel = left;
                    EXPECT_NEAR(left, 10430, 50);
                } else {
                    EXPECT_NEAR(left, sixteenBitLevel, 1);
                }
            }
        }
    }
}

TEST_F(LevelMeterTest, LongWindowsOfFullScaleDoNotOverflowTheSums) {
    // 4 s of 44.1 kHz full scale sums 176000 samples of 32767: past 2^32.
    device->SetFormat(1, 44.1f, 16, "");
    marlowsim::SetInput(FullScaleSquare());
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(4000)));
    marlowsim::AdvanceClock(100);
    int32_t left = 0;
    int32_t right = 0;
    ReadLevel(&left, &right);
    EXPECT_NEAR(left, 32767, 2);
}

marlowsim::Signal Constant(int16_t value) {
    marlowsim::Signal signal;
    signal.waveform = marlowsim::Waveform::Samples;
    signal.samples = {value};
    return signal;
}

TEST_F(LevelMeterTest, EveryWindowLengthKeepsTheChannelsApartToTheLastSample) {
    // Windows of 11 to 440 frames: every count of samples left over after
    // the whole blocks of the summing loop, in both channels. Most of these
    // looping buffers are not a whole number of frames and wrap mid-frame.
    device->SetFormat(2, 11.025f, 16, "");
    marlowsim::SetChannelInput(0, Constant(1000));
    marlowsim::SetChannelInput(1, Constant(-3000));
    std::set<uint32_t> leftOvers;
    int partFrameBuffers = 0;
    for (int32_t duration = 1; duration <= 40; ++duration) {
        SCOPED_TRACE("window of " + std::to_string(duration) + " ms");
        ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(duration)));
        partFrameBuffers += device->captureBufferBytes % 4 != 0 ? 1 : 0;
        // Twice round the looping buffer, so that the window lies anywhere.
        marlowsim::AdvanceClock(static_cast<uint32_t>(2 * duration + 7));
        int32_t left = -1;
        int32_t right = -1;
        ReadLevel(&left, &right);
        EXPECT_EQ(left, 1000);
        EXPECT_EQ(right, 3000);
        leftOvers.insert(static_cast<uint32_t>(duration * 22) % 16);
        // The take metering leaves is its last lap, in whole frames, though
        // the buffer went round unseen between two readings.
        marlowsim::AdvanceClock(static_cast<uint32_t>(5 * duration + 3));
        device->SetLevelMeteringDuration(0);
        ASSERT_GT(device->takeBytes, 0u);
        HGLOBAL image = device->SoundImage();
        ASSERT_NE(image, nullptr);
        const auto* samples = static_cast<const int16_t*>(GlobalLock(image)) + 24;
        for (uint32_t frame = 0; frame < device->takeBytes / 4; ++frame) {
            ASSERT_EQ(samples[2 * frame], 1000) << "frame " << frame;
            ASSERT_EQ(samples[2 * frame + 1], -3000) << "frame " << frame;
        }
        GlobalUnlock(image);
        GlobalFree(image);
    }
    EXPECT_GE(leftOvers.size(), 4u);
    EXPECT_GE(partFrameBuffers, 10);
}

TEST_F(LevelMeterTest, StereoWindowsOfSecondsAreSummedWithoutLoss) {
    // 8 s of 44.1 kHz stereo full scale: 705600 samples, more than one run
    // of the loop's 32-bit sums.
    device->SetFormat(2, 44.1f, 16, "");
    marlowsim::SetChannelInput(0, Constant(-32768));
    marlowsim::SetChannelInput(1, Constant(32767));
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(8000)));
    marlowsim::AdvanceClock(100);
    int32_t left = 0;
    int32_t right = 0;
    ReadLevel(&left, &right);
    EXPECT_EQ(left, 32768);
    EXPECT_EQ(right, 32767);
}

TEST_F(LevelMeterTest, WindowLongerThanTheBufferIsCutToIt) {
    marlowsim::SetInput(FullScaleSquare());
    ASSERT_TRUE(Succeeded(device->StartCapture(10, false)));  // 420 bytes, window 1100
    marlowsim::AdvanceClock(5);
    int32_t left = -1;
    int32_t right = -1;
    ReadLevel(&left, &right);
    EXPECT_GE(left, 0);
    EXPECT_LE(left, 32768);
    EXPECT_EQ(marlowsim::OutstandingLocks(), 0);
}

// Levels are read in the format the capture was made with: a format set
// meanwhile, even one with frames of no bytes, changes nothing.
TEST_F(LevelMeterTest, FormatChangedDuringTheCaptureLeavesItsLevelsAlone) {
    marlowsim::SetInput(FullScaleSquare());
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    marlowsim::AdvanceClock(200);
    for (const int32_t bits : {16, 4, 8}) {
        device->SetFormat(bits == 16 ? 0 : 2, 44.1f, bits, "");
        int32_t left = -1;
        int32_t right = -1;
        ReadLevel(&left, &right);
        EXPECT_NEAR(left, 32767, 2) << bits;
        EXPECT_EQ(right, 0) << bits;
    }
}

// Closing ends metering with the capture it lived on: the next device meters
// afresh, and nothing stale stops a later recording or playback.
TEST_F(LevelMeterTest, CloseEndsMeteringAndTheNextDeviceMetersAfresh) {
    marlowsim::SetCaptureDeviceCount(2);
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    ASSERT_TRUE(Succeeded(device->Close()));
    EXPECT_FALSE(device->IsLevelMeteringActive());
    int32_t left = -1;
    int32_t right = -1;
    EXPECT_TRUE(FailedWith(device->GetLevel(&left, &right),
                           "You must enable GSIL or be capturing to get a sound level", -1));

    ASSERT_TRUE(Succeeded(device->Open("Simulated capture device 2")));
    marlowsim::SetInput(FullScaleSquare());
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    EXPECT_TRUE(device->IsLevelMeteringActive());
    marlowsim::AdvanceClock(100);
    ReadLevel(&left, &right);
    EXPECT_NEAR(left, 32767, 2);

    ASSERT_TRUE(Succeeded(device->Close()));
    ASSERT_TRUE(Succeeded(device->Open("")));
    WatchFailures();
    RecordFullTake(500);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_TRUE(failures.empty()) << failures.front();
}

TEST_F(LevelMeterTest, MeteringTransitions) {
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    EXPECT_TRUE(device->IsLevelMeteringActive());
    EXPECT_EQ(device->captureBufferBytes, 1302u);
    EXPECT_TRUE(Succeeded(device->SetLevelMetering(true, 80)));  // already on
    EXPECT_EQ(device->captureBufferBytes, 1302u);
    EXPECT_EQ(device->meteringDurationMs, 50);

    EXPECT_TRUE(Succeeded(device->SetLevelMetering(false, 50)));
    EXPECT_FALSE(device->IsLevelMeteringActive());
    EXPECT_FALSE(device->capturing);
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 100)));
    EXPECT_TRUE(device->IsLevelMeteringActive());
    EXPECT_EQ(device->meteringDurationMs, 100);
    EXPECT_EQ(device->maxCaptureMs, 100);
}

TEST_F(LevelMeterTest, MeteringDuringARecordingReadsTheRecording) {
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    EXPECT_TRUE(Succeeded(device->SetLevelMetering(true, 80)));
    EXPECT_FALSE(device->IsLevelMeteringActive());
    EXPECT_EQ(device->meteringDurationMs, 50);
    EXPECT_EQ(device->captureBufferBytes, 220700u);
    marlowsim::AdvanceClock(300);
    int32_t left = -1;
    int32_t right = -1;
    ReadLevel(&left, &right);
    EXPECT_GT(left, 0);  // the half-scale sine of a new machine
}

TEST_F(LevelMeterTest, MeteringIsRefusedWhilePlaying) {
    RecordFullTake(1000);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_TRUE(FailedWith(device->SetLevelMetering(true, 50), "Cannot Enable GSIL while playing a sound", -1));
    EXPECT_FALSE(device->IsLevelMeteringActive());
    // The duration form stays silent while playing.
    EXPECT_TRUE(Succeeded(device->SetLevelMeteringDuration(50)));
    EXPECT_FALSE(device->IsLevelMeteringActive());
}

TEST_F(LevelMeterTest, DurationFormWaitsAWindowAndZeroStops) {
    const uint32_t before = marlowsim::ClockMilliseconds();
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(120)));
    EXPECT_EQ(marlowsim::ClockMilliseconds() - before, 120u);
    EXPECT_TRUE(device->IsLevelMeteringActive());
    EXPECT_TRUE(Succeeded(device->SetLevelMeteringDuration(0)));
    EXPECT_FALSE(device->IsLevelMeteringActive());
    EXPECT_FALSE(device->capturing);
}

TEST_F(LevelMeterTest, MeteringThatCannotStartStaysOff) {
    device->Close();
    EXPECT_TRUE(FailedWith(device->SetLevelMetering(true, 50), "Open device before capturing", -1));
    EXPECT_FALSE(device->IsLevelMeteringActive());
}

// Metering is no recording: StopCapture leaves it running, and only
// stopping the metering ends it.
TEST_F(LevelMeterTest, StopCaptureDuringMeteringIsRefusedAndMeteringGoesOn) {
    marlowsim::SetInput(FullScaleSquare());
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    EXPECT_TRUE(FailedWith(device->StopCapture(), "No capture to stop", -1));
    EXPECT_TRUE(device->IsLevelMeteringActive());
    marlowsim::SetInput(Silence());
    marlowsim::AdvanceClock(100);
    int32_t left = -1;
    int32_t right = -1;
    ReadLevel(&left, &right);
    EXPECT_EQ(left, 0) << "the level of a capture that stood still";
    EXPECT_TRUE(Succeeded(device->SetLevelMetering(false, 50)));
    EXPECT_FALSE(device->IsLevelMeteringActive());
    EXPECT_FALSE(device->capturing);
}

}  // namespace
