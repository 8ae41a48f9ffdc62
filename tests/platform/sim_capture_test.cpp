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

// Wine reports a small wrapped position for a full buffer; a reader that
// takes it for the length loses the take.
TEST_F(SimCaptureBuffer, FullBufferCanReportTheWrappedReadPosition) {
    marlowsim::SetReportWrappedReadPosition(true);
    for (DWORD bytes : {11225u, 22050u * 2, 200u}) {
        SCOPED_TRACE(bytes);
        ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), bytes), DS_OK);
        captureBuffer->Start(0);
        marlowsim::AdvanceClock(5000);
        EXPECT_EQ(CaptureStatus(), 0u);
        const DWORD position = ReadPosition();
        EXPECT_NE(position, 0u);
        EXPECT_LT(position, bytes);
        captureBuffer->Release();
        captureBuffer = nullptr;
    }
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
