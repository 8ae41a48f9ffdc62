// Recording, the end of a take and level metering on both kinds of capture
// buffer the simulator has: DirectSound's as on Windows, and Wine's (10 ms
// packets, a write position kept from one buffer to the next, buffers that
// never stop, a late first packet). Whatever the driver does, a take holds
// exactly what was captured from its first sample, ends at its maximum, and
// a level is measured only over captured bytes.
#include <ostream>
#include <string>

#include "audio_test_fixture.h"

namespace marlowsim {
void PrintTo(CaptureBehaviour behaviour, std::ostream* out) {
    *out << (behaviour == CaptureBehaviour::Wine ? "Wine" : "Windows");
}
}  // namespace marlowsim

namespace {

using marlowsim::CaptureBehaviour;

constexpr int kRampLength = 128;

// Left and right run through 128 steps in opposite directions, so that a
// take cut in the middle of a sample or a frame, or beginning with silence,
// shows in every sample size.
int16_t RampValue(int channel, uint64_t sampleIndex) {
    const int step = static_cast<int>(sampleIndex % kRampLength);
    return static_cast<int16_t>((channel == 0 ? step : kRampLength - 1 - step) * 256);
}

marlowsim::Signal Ramp(int channel, uint32_t sampleRate) {
    marlowsim::Signal signal;
    signal.waveform = marlowsim::Waveform::Samples;
    signal.sampleRate = sampleRate;
    for (int i = 0; i < kRampLength; ++i) signal.samples.push_back(RampValue(channel, static_cast<uint64_t>(i)));
    return signal;
}

marlowsim::Signal HalfScaleTone() {
    marlowsim::Signal signal;
    signal.frequency = 1000.0;
    signal.amplitude = 0.5;
    return signal;
}

// The mean magnitude of a half-scale sine: 2 x 16384 / pi.
constexpr double kToneLevel = 10430.0;

struct TakeShape {
    int channels;
    float kiloHertz;
    int bits;
    int32_t maxMs;
};

std::string Describe(const TakeShape& shape) {
    return std::to_string(shape.kiloHertz) + " kHz, " + std::to_string(shape.bits) + " bits, " +
           std::to_string(shape.channels) + " channels, " + std::to_string(shape.maxMs) + " ms";
}

class CaptureBehaviourTest : public AudioDeviceTest, public ::testing::WithParamInterface<CaptureBehaviour> {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        marlowsim::SetCaptureBehaviour(GetParam());
        OpenDefault();
    }

    void TearDown() override {
        EXPECT_EQ(marlowsim::CaptureWritesPastTheEnd(), 0);
        AudioDeviceTest::TearDown();
    }

    bool OnWine() const { return GetParam() == CaptureBehaviour::Wine; }

    // Time passing as the host lets it: an idle notification every 16 ms.
    void Idle(uint32_t milliseconds) {
        for (uint32_t passed = 0; passed < milliseconds; passed += 16) {
            marlowsim::AdvanceClock(16);
            device->PollState();
        }
    }

    void UseFormat(const TakeShape& shape) {
        device->SetFormat(shape.channels, shape.kiloHertz, shape.bits, "");
        const uint32_t rate = device->format.samplesPerSecond;
        marlowsim::SetChannelInput(0, Ramp(0, rate));
        marlowsim::SetChannelInput(1, Ramp(1, rate));
    }

    // In whole frames.
    uint32_t BytesOf(int32_t milliseconds) const {
        const WAVEFORMATEX& format = device->takeFormat;
        const auto bytes = static_cast<uint32_t>(static_cast<uint64_t>(milliseconds) * format.nAvgBytesPerSec / 1000);
        return bytes - bytes % format.nBlockAlign;
    }

    uint32_t ReadPosition() {
        DWORD position = 0;
        EXPECT_EQ(device->captureBuffer->GetCurrentPosition(nullptr, &position), DS_OK);
        return static_cast<uint32_t>(position);
    }

    // The take is the ramp, every frame in order, from the sample it starts
    // with; answers that first sample's step.
    int ExpectTakeIsTheRamp() {
        const WAVEFORMATEX& format = device->takeFormat;
        const std::vector<uint8_t> held = HeldTake();
        if (device->takeBytes == 0 || held.size() != device->takeBytes) {
            ADD_FAILURE() << "no take to read";
            return -1;
        }
        const uint8_t* take = held.data();
        const auto locked = static_cast<uint32_t>(held.size());
        const uint32_t sampleBytes = format.wBitsPerSample / 8;
        auto sampleAt = [&](uint32_t frame, int channel) {
            const uint8_t* at = take + frame * format.nBlockAlign + channel * sampleBytes;
            return sampleBytes == 1 ? static_cast<int16_t>((at[0] - 128) * 256)
                                    : static_cast<int16_t>(at[0] | at[1] << 8);
        };
        const int first = sampleAt(0, 0) / 256;
        int wrongFrames = 0;
        for (uint32_t frame = 0; frame < locked / format.nBlockAlign; ++frame) {
            for (int channel = 0; channel < format.nChannels; ++channel) {
                const int16_t wanted = RampValue(channel, static_cast<uint64_t>(first) + frame);
                const int16_t got = sampleAt(frame, channel);
                const int16_t kept = sampleBytes == 1 ? static_cast<int16_t>(wanted & 0xFF00) : wanted;
                if (got != kept && ++wrongFrames <= 3) {
                    ADD_FAILURE() << "frame " << frame << " channel " << channel << ": " << got << ", wanted " << kept;
                }
            }
        }
        EXPECT_EQ(wrongFrames, 0) << "of " << locked / format.nBlockAlign << " frames";
        return first;
    }

    int32_t LeftLevelNow() {
        int32_t left = -1;
        int32_t right = -1;
        EXPECT_TRUE(Succeeded(device->GetLevel(&left, &right)));
        return left;
    }
};

TEST_P(CaptureBehaviourTest, EveryTakeEndsByItselfAtItsMaximumHoldingTheInputFromItsFirstSample) {
    // One device, takes one after another as a movie makes them: Wine's
    // capture would start each where the last stopped. The first two have a
    // maximum that ends inside a frame. The last four fill a whole number of
    // Wine's packets, a buffer Wine never stops; a long take before short
    // ones would leave Wine's position past their end. The last three are
    // shorter than one of Wine's packets.
    const TakeShape shapes[] = {
        {1, 11.025f, 16, 100}, {2, 11.025f, 16, 101},
        {1, 8.0f, 8, 250},    {2, 8.0f, 8, 250},    {1, 11.025f, 16, 2000}, {2, 44.1f, 16, 250},
        {1, 22.05f, 8, 250},  {2, 11.025f, 8, 250}, {1, 8.0f, 8, 255},      {1, 11.025f, 16, 400},
        {2, 11.025f, 16, 205}, {1, 22.05f, 16, 226},
        {1, 44.1f, 16, 1},    {2, 44.1f, 16, 5},    {1, 48.0f, 16, 7},
    };
    for (const TakeShape& shape : shapes) {
        SCOPED_TRACE(Describe(shape));
        UseFormat(shape);
        ASSERT_TRUE(Succeeded(device->StartCapture(shape.maxMs, false)));
        Idle(static_cast<uint32_t>(shape.maxMs) + 200);
        ASSERT_FALSE(device->capturing) << "the take did not end by itself";
        EXPECT_EQ(device->takeBytes, BytesOf(shape.maxMs));
        EXPECT_EQ(ExpectTakeIsTheRamp(), 0);
    }
}

// Metering's take is its last lap; the 4610-byte buffer of 50 ms at
// 22.05 kHz stereo is no whole number of frames, so a lap may begin
// inside a frame.
TEST_P(CaptureBehaviourTest, MeteringLeavesATakeOfWholeFramesInOrder) {
    const TakeShape shape{2, 22.05f, 16, 50};
    UseFormat(shape);
    for (uint32_t metered = 40; metered < 400; metered += 23) {
        SCOPED_TRACE(metered);
        ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, shape.maxMs)));
        Idle(metered);
        ASSERT_TRUE(Succeeded(device->SetLevelMetering(false, shape.maxMs)));
        EXPECT_EQ(device->takeBytes % 4, 0u);
        ExpectTakeIsTheRamp();
    }
}

TEST_P(CaptureBehaviourTest, PacketsWrittenOverTheStartAfterTheTakeAreUndone) {
    // Wine's capture thread, woken every fourth packet, copies the packets
    // after the one that fills the buffer over its start.
    marlowsim::SetCaptureWakeUpPackets(4);
    const TakeShape shapes[] = {{1, 11.025f, 16, 2000}, {2, 22.05f, 16, 500}, {1, 8.0f, 8, 250}};
    for (const TakeShape& shape : shapes) {
        SCOPED_TRACE(Describe(shape));
        UseFormat(shape);
        ASSERT_TRUE(Succeeded(device->StartCapture(shape.maxMs, false)));
        Idle(static_cast<uint32_t>(shape.maxMs) + 200);
        ASSERT_FALSE(device->capturing);
        EXPECT_EQ(device->takeBytes, BytesOf(shape.maxMs));
        EXPECT_EQ(ExpectTakeIsTheRamp(), 0);
    }
}

TEST_P(CaptureBehaviourTest, PacketsWrittenOverTheStartPastWhatWasCopiedKeepEverySampleWhole) {
    // 11224 bytes of 442-byte packets. The movie looks for a while, then the
    // machine stalls: Wine's capture thread wakes to all the packets
    // waiting, fills the buffer and writes the rest over its start, past
    // what was copied, and once round again. That later sound stays in the
    // take, but never cut across its samples: each is a step of the ramp.
    struct Stall {
        uint32_t lookedMs;
        uint32_t wakeUpPackets;
        uint32_t stalledMs;
    };
    const Stall stalls[] = {{80, 19, 300}, {160, 42, 300}, {80, 57, 500}};
    const TakeShape shape{1, 22.05f, 16, 250};
    UseFormat(shape);
    for (const Stall& stall : stalls) {
        SCOPED_TRACE(stall.wakeUpPackets);
        marlowsim::SetCaptureWakeUpPackets(1);
        ASSERT_TRUE(Succeeded(device->StartCapture(shape.maxMs, false)));
        Idle(stall.lookedMs);
        marlowsim::SetCaptureWakeUpPackets(stall.wakeUpPackets);
        marlowsim::AdvanceClock(stall.stalledMs);
        device->PollState();
        EXPECT_FALSE(device->capturing);
        EXPECT_EQ(device->takeBytes, BytesOf(shape.maxMs));
        if (!OnWine()) {
            EXPECT_EQ(ExpectTakeIsTheRamp(), 0);
            continue;
        }
        const std::vector<uint8_t> take = HeldTake();
        int cut = 0;
        for (size_t i = 0; i + 1 < take.size(); i += 2) cut += take[i] != 0 ? 1 : 0;
        EXPECT_EQ(cut, 0);
    }
}

TEST_P(CaptureBehaviourTest, ATakeThatWentRoundBetweenTwoIdleTicksIsPutBackInOrder) {
    // 9020 bytes, 41 of Wine's 220-byte packets, a buffer Wine never stops:
    // between the tick before its maximum and the next one it goes round
    // and overwrites its first packet, which is put back.
    const TakeShape shape{1, 11.025f, 16, 400};
    UseFormat(shape);
    ASSERT_TRUE(Succeeded(device->StartCapture(shape.maxMs, false)));
    marlowsim::AdvanceClock(405);
    device->PollState();
    marlowsim::AdvanceClock(20);
    device->PollState();
    EXPECT_FALSE(device->capturing);
    EXPECT_EQ(device->takeBytes, BytesOf(shape.maxMs));
    EXPECT_EQ(ExpectTakeIsTheRamp(), 0);
}

TEST_P(CaptureBehaviourTest, ATakeLeftAloneForMoreThanALapIsStillInOrder) {
    // No idle tick for longer than the whole buffer: a lap goes by unseen,
    // and nothing of the start was kept aside. The take then starts later
    // than the recording did, but it is still the input in order and as
    // long as its maximum.
    const TakeShape shape{1, 8.0f, 8, 255};
    UseFormat(shape);
    ASSERT_TRUE(Succeeded(device->StartCapture(shape.maxMs, false)));
    marlowsim::AdvanceClock(330);
    device->PollState();
    Idle(400);
    EXPECT_FALSE(device->capturing);
    EXPECT_EQ(device->takeBytes, BytesOf(shape.maxMs));
    ExpectTakeIsTheRamp();
}

TEST_P(CaptureBehaviourTest, ABufferThatFillsWhileItIsBeingStoppedIsAWholeTakeInOrder) {
    // 11225 bytes: Wine's 52nd packet of 220 bytes does not fit, so the
    // buffer stops by itself at 520 ms and reads 215 from then on, a
    // position that looks like a capture gone round. Time passes between
    // the calls of the stop, and the buffer fills among them.
    const TakeShape shape{1, 11.025f, 16, 500};
    UseFormat(shape);
    ASSERT_TRUE(Succeeded(device->StartCapture(shape.maxMs, false)));
    marlowsim::AdvanceClock(515);
    marlowsim::SetClockAdvancePerCall(3);
    EXPECT_TRUE(Succeeded(device->StopCapture()));
    marlowsim::SetClockAdvancePerCall(0);
    EXPECT_EQ(device->takeBytes, BytesOf(shape.maxMs));
    EXPECT_EQ(ExpectTakeIsTheRamp(), 0);
}

TEST_P(CaptureBehaviourTest, AStopBeforeAnythingArrivedLeavesNoTake) {
    marlowsim::SetCaptureLateStart(1500);
    ASSERT_TRUE(Succeeded(device->StartCapture(5000, false)));
    EXPECT_TRUE(Succeeded(device->StopCapture()));
    EXPECT_EQ(device->takeBytes, 0u);
    EXPECT_TRUE(FailedWith(device->SaveAsFile("never-written.wav"), "No sound to save", -1));
    EXPECT_TRUE(FailedWith(device->PlayStart(), "No sound to play", -1));
}

TEST_P(CaptureBehaviourTest, ALateStartGivesATakeOfWhatArrivedFromItsFirstSample) {
    marlowsim::SetCaptureLateStart(1500);
    UseFormat({1, 11.025f, 16, 5000});
    ASSERT_TRUE(Succeeded(device->StartCapture(5000, false)));
    Idle(2000);
    const uint32_t captured = ReadPosition();
    EXPECT_EQ(captured, OnWine() ? 50u * 220u : BytesOf(2000));
    EXPECT_TRUE(Succeeded(device->StopCapture()));
    EXPECT_EQ(device->takeBytes, captured);
    EXPECT_EQ(ExpectTakeIsTheRamp(), 0);
}

TEST_P(CaptureBehaviourTest, TheFirstLevelOfARecordingIsTheInputs) {
    marlowsim::SetInput(HalfScaleTone());
    ASSERT_TRUE(Succeeded(device->StartCapture(3000, false)));
    EXPECT_NEAR(LeftLevelNow(), kToneLevel, kToneLevel * 0.1);
    Idle(500);
    EXPECT_NEAR(LeftLevelNow(), kToneLevel, kToneLevel * 0.02);
}

TEST_P(CaptureBehaviourTest, TheFirstLevelOfMeteringIsTheInputs) {
    marlowsim::SetInput(HalfScaleTone());
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 100)));
    EXPECT_NEAR(LeftLevelNow(), kToneLevel, kToneLevel * 0.1);
}

TEST_P(CaptureBehaviourTest, MeteringLevelsStayRightLapAfterLapWhereTheBufferWrapsMidFrame) {
    // 11.025 kHz mono, 100 ms: 2405 bytes. 22.05 kHz stereo, 50 ms: 4610
    // bytes. Neither is a whole number of frames, so each lap of the
    // looping buffer starts at another byte of a frame.
    marlowsim::Signal square;
    square.waveform = marlowsim::Waveform::Square;
    square.frequency = 100.0;
    square.amplitude = 1.0;
    marlowsim::Signal silence;
    silence.waveform = marlowsim::Waveform::Silence;

    const TakeShape shapes[] = {{1, 11.025f, 16, 100}, {2, 22.05f, 16, 50}, {2, 11.025f, 8, 70}};
    for (const TakeShape& shape : shapes) {
        SCOPED_TRACE(Describe(shape));
        device->SetFormat(shape.channels, shape.kiloHertz, shape.bits, "");
        marlowsim::SetChannelInput(0, square);
        marlowsim::SetChannelInput(1, silence);
        ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, shape.maxMs)));
        ASSERT_NE(device->captureBufferBytes % device->captureFormat.nBlockAlign, 0u);
        const int32_t fullScale = shape.bits == 16 ? 32767 : 127;
        for (int reading = 0; reading < 150; ++reading) {
            marlowsim::AdvanceClock(7);
            if (reading % 3 == 0) device->PollState();
            int32_t left = -1;
            int32_t right = -1;
            ASSERT_TRUE(Succeeded(device->GetLevel(&left, &right)));
            ASSERT_NEAR(left, fullScale, 2) << "reading " << reading;
            ASSERT_EQ(right, 0) << "reading " << reading;
        }
        device->SetLevelMetering(false, 50);
    }
}

TEST_P(CaptureBehaviourTest, ALevelNeverComesFromBytesNotYetCaptured) {
    marlowsim::SetInput(HalfScaleTone());
    marlowsim::SetCaptureLateStart(1500);
    ASSERT_TRUE(Succeeded(device->StartCapture(3000, false)));
    if (OnWine()) {
        // Nothing arrives for 1.5 s: the first level waits a second, then
        // answers that there is nothing, at once from then on.
        EXPECT_EQ(LeftLevelNow(), 0);
        const uint32_t before = marlowsim::ClockMilliseconds();
        EXPECT_EQ(LeftLevelNow(), 0);
        EXPECT_EQ(marlowsim::ClockMilliseconds(), before);
        Idle(600);
    }
    EXPECT_NEAR(LeftLevelNow(), kToneLevel, kToneLevel * 0.1);
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, CaptureBehaviourTest,
                         ::testing::Values(CaptureBehaviour::Windows, CaptureBehaviour::Wine),
                         [](const ::testing::TestParamInfo<CaptureBehaviour>& info) {
                             return info.param == CaptureBehaviour::Wine ? std::string("Wine") : std::string("Windows");
                         });

}  // namespace
