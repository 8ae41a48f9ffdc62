#include <cstring>

#include "sim_test_support.h"

namespace {

int16_t Sample16(const std::vector<uint8_t>& bytes, size_t at) {
    int16_t value = 0;
    std::memcpy(&value, bytes.data() + at, 2);
    return value;
}

marlowsim::Signal Silence() {
    marlowsim::Signal silence;
    silence.waveform = marlowsim::Waveform::Silence;
    return silence;
}

// Frame n of the input holds (n % length + 1) * scale on every channel, so a
// captured frame tells which frame of the input it is.
marlowsim::Signal Ramp(uint32_t sampleRate, int length, int scale) {
    marlowsim::Signal ramp;
    ramp.waveform = marlowsim::Waveform::Samples;
    ramp.sampleRate = sampleRate;
    for (int k = 1; k <= length; ++k) ramp.samples.push_back(static_cast<int16_t>(k * scale));
    return ramp;
}

}  // namespace

using SimCaptureBuffer = SimulatorTest;

TEST_F(SimCaptureBuffer, FillsAtTheByteRateInWholeBlocks) {
    ASSERT_EQ(MakeCaptureBuffer(Pcm(2, 44100, 16), 176400), DS_OK);
    ASSERT_EQ(captureBuffer->Start(0), DS_OK);
    EXPECT_EQ(ReadPosition(), 0u);
    marlowsim::AdvanceClock(1);
    EXPECT_EQ(ReadPosition(), 176u);
    marlowsim::AdvanceClock(2);
    EXPECT_EQ(ReadPosition(), 528u);  // 529.2 bytes: whole blocks of 4 only
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
}

TEST_F(SimCaptureBuffer, StartedOnceStopsWhenFullAndReadsZero) {
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 11225), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(508);
    EXPECT_EQ(ReadPosition(), 11200u);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
    marlowsim::AdvanceClock(2);
    EXPECT_EQ(CaptureStatus(), 0u);
    EXPECT_EQ(ReadPosition(), 0u);
    marlowsim::AdvanceClock(10000);
    EXPECT_EQ(ReadPosition(), 0u);
}

TEST_F(SimCaptureBuffer, LoopingWrapsAndKeepsCapturing) {
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 1302), DS_OK);
    captureBuffer->Start(DSCBSTART_LOOPING);
    marlowsim::AdvanceClock(100);
    EXPECT_EQ(ReadPosition(), 2204u % 1302u);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING | DSCBSTATUS_LOOPING);
}

// Elapsed time times the byte rate passes 2^32 long before a day is over.
TEST_F(SimCaptureBuffer, LongRunsCountIn64Bits) {
    ASSERT_EQ(MakeCaptureBuffer(Pcm(2, 44100, 16), 1000), DS_OK);
    captureBuffer->Start(DSCBSTART_LOOPING);
    marlowsim::AdvanceClock(3000001);
    EXPECT_EQ(ReadPosition(), 529200176u % 1000u);
}

TEST_F(SimCaptureBuffer, SamplesAreExactAndKeptAfterStop) {
    marlowsim::Signal square;
    square.waveform = marlowsim::Waveform::Square;
    square.frequency = 100;
    square.amplitude = 1.0;
    marlowsim::SetChannelInput(0, square);
    marlowsim::SetChannelInput(1, Silence());
    ASSERT_EQ(MakeCaptureBuffer(Pcm(2, 8000, 16), 32000), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(100);
    ASSERT_EQ(captureBuffer->Stop(), DS_OK);
    marlowsim::AdvanceClock(100);
    EXPECT_EQ(ReadPosition(), 3200u);

    const std::vector<uint8_t> bytes = CapturedBytes(3200);
    // 100 Hz at 8000 Hz: 40 samples up, 40 down.
    EXPECT_EQ(Sample16(bytes, 0), 32767);
    EXPECT_EQ(Sample16(bytes, 39 * 4), 32767);
    EXPECT_EQ(Sample16(bytes, 40 * 4), -32767);
    for (size_t at = 2; at < bytes.size(); at += 4) ASSERT_EQ(Sample16(bytes, at), 0) << at;
}

TEST_F(SimCaptureBuffer, EightBitSamplesCentreOn128) {
    marlowsim::Signal square;
    square.waveform = marlowsim::Waveform::Square;
    square.frequency = 1000;
    square.amplitude = 1.0;
    marlowsim::SetInput(square);
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 8000, 8), 800), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(10);
    const std::vector<uint8_t> bytes = CapturedBytes(800);
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(bytes[4], 0);
    EXPECT_EQ(bytes[80], 128);  // not yet captured: silence

    marlowsim::SetInput(Silence());
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(CapturedBytes(800)[100], 128);
}

TEST_F(SimCaptureBuffer, RefusesWhatDirectSoundRefuses) {
    EXPECT_EQ(MakeCaptureBuffer(Pcm(0, 11025, 16), 1000), DSERR_BADFORMAT);
    EXPECT_EQ(MakeCaptureBuffer(Pcm(1, 0, 16), 1000), DSERR_BADFORMAT);
    EXPECT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 24), 1000), DSERR_BADFORMAT);
    EXPECT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 12), 1000), DSERR_BADFORMAT);
    WAVEFORMATEX inconsistent = Pcm(1, 11025, 16);
    inconsistent.nAvgBytesPerSec = 11025;
    EXPECT_EQ(MakeCaptureBuffer(inconsistent, 1000), DSERR_BADFORMAT);
    EXPECT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 0x10000000), DSERR_INVALIDPARAM);
    EXPECT_EQ(captureBuffer, nullptr);
    EXPECT_FALSE(marlowsim::LastCaptureBuffer(nullptr));

    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 0x0FFFFFFF), DS_OK);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 2);
}

TEST_F(SimCaptureBuffer, TakesBothDescriptionFormsAndNoOther) {
    WAVEFORMATEX format = Pcm(1, 11025, 16);
    DSCBUFFERDESC1 shortForm{sizeof(DSCBUFFERDESC1), 0, 220700, 0, &format};
    DSCBUFFERDESC wrongSize{sizeof(DSCBUFFERDESC) + 4, 0, 220700, 0, &format, 0, nullptr};
    EXPECT_EQ(capture->CreateCaptureBuffer(&wrongSize, &captureBuffer, nullptr), DSERR_INVALIDPARAM);

    marlowsim::RefuseLongCaptureDescription(DSERR_BADFORMAT);
    EXPECT_EQ(MakeCaptureBuffer(format, 220700), DSERR_BADFORMAT);
    ASSERT_EQ(capture->CreateCaptureBuffer(reinterpret_cast<LPCDSCBUFFERDESC>(&shortForm),
                                           &captureBuffer, nullptr),
              DS_OK);
    marlowsim::CaptureBufferInfo info{};
    ASSERT_TRUE(marlowsim::LastCaptureBuffer(&info));
    EXPECT_EQ(info.descriptionSize, sizeof(DSCBUFFERDESC1));
    EXPECT_EQ(info.bufferBytes, 220700u);
    EXPECT_EQ(info.format.nAvgBytesPerSec, 22050u);
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::CreateCaptureBuffer), 3);
}

// ---- as Wine 8's DirectSound on PulseAudio delivers --------------------

class WineCaptureBuffer : public SimulatorTest {
protected:
    void SetUp() override {
        SimulatorTest::SetUp();
        marlowsim::SetCaptureBehaviour(marlowsim::CaptureBehaviour::Wine);
    }

    void ReleaseCaptureBuffer() {
        captureBuffer->Release();
        captureBuffer = nullptr;
    }

    // 11.025 kHz 16-bit mono: packets of 110 frames, 220 bytes; frame n of
    // the input holds n + 1.
    HRESULT MakeRampBuffer(DWORD bytes) {
        marlowsim::SetInput(Ramp(11025, 30000, 1));
        return MakeCaptureBuffer(Pcm(1, 11025, 16), bytes);
    }

    // The 16-bit sample whose bytes lie at two offsets of a copy.
    static int Sample16At(const std::vector<uint8_t>& bytes, size_t low, size_t high) {
        return static_cast<int16_t>(bytes[low] | bytes[high] << 8);
    }
};

TEST_F(WineCaptureBuffer, PositionsMoveInWholePacketsOfTenMilliseconds) {
    struct Case {
        WAVEFORMATEX format;
        DWORD packetBytes;
    };
    for (const Case& c : {Case{Pcm(1, 8000, 8), 80}, Case{Pcm(1, 11025, 16), 220},
                          Case{Pcm(1, 22050, 16), 442}, Case{Pcm(2, 44100, 16), 1764}}) {
        SCOPED_TRACE(c.format.nSamplesPerSec);
        ASSERT_EQ(MakeCaptureBuffer(c.format, 100 * c.packetBytes), DS_OK);
        ASSERT_EQ(captureBuffer->Start(0), DS_OK);
        marlowsim::AdvanceClock(9);
        EXPECT_EQ(ReadPosition(), 0u);
        marlowsim::AdvanceClock(1);
        EXPECT_EQ(ReadPosition(), c.packetBytes);
        marlowsim::AdvanceClock(25);
        DWORD capturePosition = 0;
        DWORD readPosition = 0;
        ASSERT_EQ(captureBuffer->GetCurrentPosition(&capturePosition, &readPosition), DS_OK);
        EXPECT_EQ(capturePosition, 3 * c.packetBytes);
        EXPECT_EQ(readPosition, 3 * c.packetBytes);
        EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
        ASSERT_EQ(captureBuffer->Stop(), DS_OK);
        ReleaseCaptureBuffer();
        // Each capture object starts writing at 0.
        capture->Release();
        ASSERT_EQ(DirectSoundCaptureCreate(nullptr, &capture, nullptr), DS_OK);
    }
}

TEST_F(WineCaptureBuffer, LateStartHoldsThePositionUntilTheFirstPacket) {
    marlowsim::SetCaptureLateStart(1500);
    ASSERT_EQ(MakeRampBuffer(44100), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(1509);
    EXPECT_EQ(ReadPosition(), 0u);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
    EXPECT_EQ(CapturedBytes(44100), std::vector<uint8_t>(44100, 0));

    marlowsim::AdvanceClock(1);
    EXPECT_EQ(ReadPosition(), 220u);
    // The take begins with the first packet, not with Start.
    const std::vector<uint8_t> bytes = CapturedBytes(44100);
    EXPECT_EQ(Sample16(bytes, 0), 1);
    EXPECT_EQ(Sample16(bytes, 218), 110);
    EXPECT_EQ(Sample16(bytes, 220), 0);
}

// The reader sees neither 0 nor the buffer's size once the buffer is full.
TEST_F(WineCaptureBuffer, StartedOnceStopsAtThePacketThatDoesNotFitAndReadsItsOverhang) {
    ASSERT_EQ(MakeRampBuffer(44100), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(2000);
    EXPECT_EQ(ReadPosition(), 44000u);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(CaptureStatus(), 0u);
    EXPECT_EQ(ReadPosition(), 120u);
    marlowsim::AdvanceClock(10000);
    EXPECT_EQ(ReadPosition(), 120u);
    EXPECT_EQ(CaptureStatus(), 0u);

    // The last packet filled the end and nothing of it went round.
    std::vector<uint8_t> bytes = CapturedBytes(44100);
    EXPECT_EQ(Sample16(bytes, 0), 1);
    EXPECT_EQ(Sample16(bytes, 43998), 22000);
    EXPECT_EQ(Sample16(bytes, 44098), 22050);

    // Started again: silence throughout, packets on from where it stopped.
    ASSERT_EQ(captureBuffer->Start(0), DS_OK);
    EXPECT_EQ(CapturedBytes(44100), std::vector<uint8_t>(44100, 0));
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(ReadPosition(), 340u);
    bytes = CapturedBytes(44100);
    EXPECT_EQ(Sample16(bytes, 118), 0);
    EXPECT_EQ(Sample16(bytes, 120), 22111);
}

TEST_F(WineCaptureBuffer, PacketsTakenAfterTheStoppingOneLandOverTheStart) {
    // The thread wakes every fourth packet. The 201st stops the 44100-byte
    // buffer; the 202nd to 204th, taken in the same wake-up, go to 120..780.
    marlowsim::SetCaptureWakeUpPackets(4);
    ASSERT_EQ(MakeRampBuffer(44100), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(2030);
    EXPECT_EQ(ReadPosition(), 44000u);  // 203 packets due, 200 taken
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(CaptureStatus(), 0u);
    EXPECT_EQ(ReadPosition(), 780u);
    const std::vector<uint8_t> bytes = CapturedBytes(44100);
    EXPECT_EQ(Sample16(bytes, 118), 60);
    EXPECT_EQ(Sample16(bytes, 120), 22111);  // the 202nd packet's first frame
    EXPECT_EQ(Sample16(bytes, 778), 22440);
    EXPECT_EQ(Sample16(bytes, 780), 391);
    EXPECT_EQ(Sample16(bytes, 44098), 22050);
}

TEST_F(WineCaptureBuffer, StereoCdQualityBufferReadsItsOverhangWhenFull) {
    marlowsim::SetInput(Ramp(44100, 30000, 1));
    ASSERT_EQ(MakeCaptureBuffer(Pcm(2, 44100, 16), 176600), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(1000);
    EXPECT_EQ(ReadPosition(), 176400u);
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(ReadPosition(), 1564u);
    EXPECT_EQ(CaptureStatus(), 0u);
    const std::vector<uint8_t> bytes = CapturedBytes(176600);
    EXPECT_EQ(Sample16(bytes, 176596), 44149 % 30000 + 1);
    EXPECT_EQ(Sample16(bytes, 176598), 44149 % 30000 + 1);
}

// 8 kHz 8-bit mono for 255 ms and 200 bytes more: 28 packets of 80.
TEST_F(WineCaptureBuffer, ExactMultipleOfThePacketNeverStopsAndOverwritesItsStart) {
    marlowsim::SetInput(Ramp(8000, 100, 256));
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 8000, 8), 2240), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(10);
    std::vector<uint8_t> bytes = CapturedBytes(2240);
    EXPECT_EQ(bytes[0], 128 + 1);
    EXPECT_EQ(bytes[79], 128 + 80);
    EXPECT_EQ(bytes[80], 128);  // silence, as Start left it

    marlowsim::AdvanceClock(270);
    EXPECT_EQ(ReadPosition(), 0u);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(ReadPosition(), 80u);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
    bytes = CapturedBytes(2240);
    EXPECT_EQ(bytes[0], 128 + 2240 % 100 + 1);
    EXPECT_EQ(bytes[80], 128 + 80 + 1);
}

// Hours of packets cost one lap of work, and the lap is the latest one.
TEST_F(WineCaptureBuffer, LongRunsKeepTheLatestLap) {
    marlowsim::SetInput(Ramp(8000, 100, 256));
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 8000, 8), 2240), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(3 * 3600 * 1000 + 70);  // 1080007 packets
    const uint64_t captured = 1080007ull * 80;
    EXPECT_EQ(ReadPosition(), captured % 2240);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
    const std::vector<uint8_t> bytes = CapturedBytes(2240);
    for (uint64_t back = 1; back <= 2240; ++back) {
        const uint64_t frame = captured - back;
        ASSERT_EQ(bytes[frame % 2240], 128 + frame % 100 + 1) << back;
    }

    ReleaseCaptureBuffer();
    marlowsim::SetInput(Ramp(44100, 30000, 1));
    ASSERT_EQ(MakeCaptureBuffer(Pcm(2, 44100, 16), 100000), DS_OK);
    captureBuffer->Start(DSCBSTART_LOOPING);
    marlowsim::AdvanceClock(24 * 3600 * 1000);  // 8640000 packets of 1764 bytes
    const uint64_t position = (captured % 2240 + 8640000ull * 1764) % 100000;
    EXPECT_EQ(ReadPosition(), position);
    EXPECT_EQ(Sample16(CapturedBytes(100000), position - 4), (8640000ll * 441 - 1) % 30000 + 1);
}

// 1301 bytes at 11.025 kHz 16-bit mono: not a whole number of frames.
TEST_F(WineCaptureBuffer, LoopingWrapsInTheMiddleOfAPacketAndOfAFrame) {
    ASSERT_EQ(MakeRampBuffer(1301), DS_OK);
    captureBuffer->Start(DSCBSTART_LOOPING);
    marlowsim::AdvanceClock(60);  // 1320 bytes
    EXPECT_EQ(ReadPosition(), 19u);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING | DSCBSTATUS_LOOPING);
    const std::vector<uint8_t> bytes = CapturedBytes(1301);
    EXPECT_EQ(Sample16(bytes, 1298), 650);
    EXPECT_EQ(Sample16At(bytes, 1300, 0), 651);
    EXPECT_EQ(Sample16At(bytes, 1, 2), 652);
    EXPECT_EQ(Sample16(bytes, 20), 11);  // the first lap, not yet overwritten
}

TEST_F(WineCaptureBuffer, NextBufferOfTheCaptureObjectGoesOnFromItsWritePosition) {
    ASSERT_EQ(MakeRampBuffer(44100), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(50);
    ASSERT_EQ(captureBuffer->Stop(), DS_OK);
    marlowsim::AdvanceClock(50);
    EXPECT_EQ(ReadPosition(), 1100u);
    ReleaseCaptureBuffer();

    ASSERT_EQ(MakeRampBuffer(4400), DS_OK);
    EXPECT_EQ(ReadPosition(), 1100u);
    captureBuffer->Start(0);
    EXPECT_EQ(ReadPosition(), 1100u);
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(ReadPosition(), 1320u);
    const std::vector<uint8_t> bytes = CapturedBytes(4400);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 1100),
              std::vector<uint8_t>(1100, 0));
    EXPECT_EQ(Sample16(bytes, 1100), 1);  // its own take starts with its first packet
    ReleaseCaptureBuffer();

    LPDIRECTSOUNDCAPTURE another = nullptr;
    ASSERT_EQ(DirectSoundCaptureCreate(nullptr, &another, nullptr), DS_OK);
    DSCBUFFERDESC description{sizeof(DSCBUFFERDESC), 0, 4400, 0, &captureFormat, 0, nullptr};
    ASSERT_EQ(another->CreateCaptureBuffer(&description, &captureBuffer, nullptr), DS_OK);
    EXPECT_EQ(ReadPosition(), 0u);
    ReleaseCaptureBuffer();
    another->Release();
}

// Wine copies the first packet of such a buffer past the end of its memory;
// here it is counted and dropped, and the AddressSanitizer run checks that.
TEST_F(WineCaptureBuffer, SmallerBufferMadeBeyondTheWritePositionDropsItsFirstPacket) {
    ASSERT_EQ(MakeRampBuffer(4400), DS_OK);
    captureBuffer->Start(DSCBSTART_LOOPING);
    marlowsim::AdvanceClock(110);
    captureBuffer->Stop();
    ReleaseCaptureBuffer();

    ASSERT_EQ(MakeRampBuffer(1000), DS_OK);
    EXPECT_EQ(ReadPosition(), 2420u);
    captureBuffer->Start(0);
    EXPECT_EQ(marlowsim::CaptureWritesPastTheEnd(), 0);
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(ReadPosition(), (2420u + 220u) % 1000u);
    EXPECT_EQ(marlowsim::CaptureWritesPastTheEnd(), 1);
    EXPECT_EQ(CaptureStatus(), DSCBSTATUS_CAPTURING);
    EXPECT_EQ(CapturedBytes(1000), std::vector<uint8_t>(1000, 0));

    marlowsim::AdvanceClock(10);
    EXPECT_EQ(ReadPosition(), 860u);
    EXPECT_EQ(Sample16(CapturedBytes(1000), 640), 111);  // the dropped packet was frames 0 to 109
    marlowsim::AdvanceClock(10);
    EXPECT_EQ(CaptureStatus(), 0u);
    EXPECT_EQ(ReadPosition(), 80u);
    EXPECT_EQ(marlowsim::CaptureWritesPastTheEnd(), 1);
}

TEST_F(WineCaptureBuffer, ResetMachineRestoresWindowsBuffers) {
    ASSERT_EQ(MakeRampBuffer(4400), DS_OK);
    captureBuffer->Start(DSCBSTART_LOOPING);
    marlowsim::AdvanceClock(110);
    ReleaseCaptureBuffer();  // unasked: its packets moved the write position all the same
    marlowsim::SetCaptureLateStart(500);
    ASSERT_EQ(MakeRampBuffer(200), DS_OK);
    captureBuffer->Start(DSCBSTART_LOOPING);
    marlowsim::AdvanceClock(509);
    EXPECT_EQ(ReadPosition(), 2420u);
    marlowsim::AdvanceClock(1);
    EXPECT_EQ(ReadPosition(), 20u);  // 2420 and a packet cut to the buffer's 200 bytes
    ASSERT_EQ(marlowsim::CaptureWritesPastTheEnd(), 1);
    ReleaseCaptureBuffer();
    capture->Release();
    capture = nullptr;

    marlowsim::ResetMachine();
    EXPECT_EQ(marlowsim::CaptureWritesPastTheEnd(), 0);
    marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
    ASSERT_EQ(DirectSoundCaptureCreate(nullptr, &capture, nullptr), DS_OK);
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 11225), DS_OK);
    captureBuffer->Start(0);
    marlowsim::AdvanceClock(1);
    EXPECT_EQ(ReadPosition(), 22u);
    marlowsim::AdvanceClock(1000);
    EXPECT_EQ(ReadPosition(), 0u);
    EXPECT_EQ(CaptureStatus(), 0u);
}
