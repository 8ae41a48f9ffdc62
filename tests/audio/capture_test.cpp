#include <vector>

#include "audio/capture_buffer_error_text.h"
#include "audio_test_fixture.h"

namespace {

class CaptureTest : public AudioDeviceTest {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        OpenDefault();
    }

    static uint32_t LastBufferBytes() {
        marlowsim::CaptureBufferInfo info{};
        EXPECT_TRUE(marlowsim::LastCaptureBuffer(&info));
        return info.bufferBytes;
    }
};

TEST_F(CaptureTest, BufferHoldsTheMaximumDurationAndTwoHundredSpareBytes) {
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    marlowsim::CaptureBufferInfo info{};
    ASSERT_TRUE(marlowsim::LastCaptureBuffer(&info));
    EXPECT_EQ(info.bufferBytes, 220700u);
    EXPECT_EQ(info.descriptionSize, sizeof(DSCBUFFERDESC));
    EXPECT_EQ(info.format.nSamplesPerSec, 11025u);
    EXPECT_EQ(device->captureBufferBytes, 220700u);
    EXPECT_TRUE(Succeeded(device->StopCapture()));

    device->StartCapture(5000, false);
    EXPECT_EQ(LastBufferBytes(), 110450u);
    device->StopCapture();
    device->StartCapture(0, false);
    EXPECT_EQ(LastBufferBytes(), 200u);
    device->StopCapture();
    // At least one of Wine's 10 ms packets.
    device->StartCapture(3, false);
    EXPECT_EQ(LastBufferBytes(), 420u);
}

TEST_F(CaptureTest, ShortDescriptionIsTriedWhenTheLongOneIsRefused) {
    marlowsim::RefuseLongCaptureDescription(DSERR_INVALIDPARAM);
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    marlowsim::CaptureBufferInfo info{};
    ASSERT_TRUE(marlowsim::LastCaptureBuffer(&info));
    EXPECT_EQ(info.descriptionSize, sizeof(DSCBUFFERDESC1));
    EXPECT_EQ(info.bufferBytes, 22250u);
}

TEST_F(CaptureTest, FilledBufferIsNoticedByRecordingNowWithTheFullLength) {
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    marlowsim::AdvanceClock(5000);
    EXPECT_TRUE(device->IsCapturing());
    marlowsim::AdvanceClock(6000);
    EXPECT_TRUE(device->capturing);  // nobody asked yet
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_EQ(device->takeBytes, 220500u);
    EXPECT_TRUE(FailedWith(device->StopCapture(), "No capture to stop", -1));
}

TEST_F(CaptureTest, FilledBufferIsNoticedAtTheIdlePoll) {
    ASSERT_TRUE(Succeeded(device->StartCapture(5000, false)));
    marlowsim::AdvanceClock(6000);
    EXPECT_TRUE(Succeeded(device->PollState()));
    EXPECT_FALSE(device->capturing);
    EXPECT_EQ(device->takeBytes, 110250u);
}

TEST_F(CaptureTest, StereoCdQualityHalfMinuteDoesNotOverflow) {
    device->SetFormat(2, 44.1f, 16, "");
    RecordFullTake(30000);
    EXPECT_EQ(device->takeBytes, 5292000u);
}

TEST_F(CaptureTest, FullTakeKeepsItsLengthWhereTheDriverReportsAWrappedReadPosition) {
    marlowsim::SetCaptureBehaviour(marlowsim::CaptureBehaviour::Wine);
    RecordFullTake(10000);
    EXPECT_EQ(device->takeBytes, 220500u);

    // Stopped by the movie after it filled, before any poll.
    ASSERT_TRUE(Succeeded(device->StartCapture(500, false)));
    marlowsim::AdvanceClock(800);
    EXPECT_TRUE(Succeeded(device->StopCapture()));
    EXPECT_EQ(device->takeBytes, 11024u);
}

TEST_F(CaptureTest, StoppedRecordingIsAsLongAsItsReadPosition) {
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    marlowsim::AdvanceClock(2000);
    EXPECT_TRUE(Succeeded(device->StopCapture()));
    EXPECT_EQ(device->takeBytes, 44100u);
    EXPECT_FALSE(device->IsCapturing());
}

// Once it has ended a take is held once, in a copy of its own size: its
// capture buffer goes with its capture object, which is left a buffer of one
// frame to keep (Wine never frees an object's last buffer), and the sound
// buffer a playback copied it to goes when the playback ends. The next take
// makes a fresh capture object.
TEST_F(CaptureTest, AnEndedTakeIsHeldOnce) {
    const int objectsAtRest = marlowsim::LiveDirectSoundObjects() - 1;
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    marlowsim::AdvanceClock(1000);
    EXPECT_EQ(device->takeCopy.Capacity(), 220500u);
    ASSERT_TRUE(Succeeded(device->StopCapture()));
    EXPECT_EQ(device->takeBytes, 22050u);
    EXPECT_EQ(device->captureBuffer, nullptr);
    EXPECT_EQ(device->captureObject, nullptr);
    EXPECT_EQ(LastBufferBytes(), 2u);
    EXPECT_EQ(device->takeCopy.Capacity(), 22050u);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), objectsAtRest);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), objectsAtRest + 1);
    marlowsim::AdvanceClock(1100);
    EXPECT_FALSE(device->IsPlaying());
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), objectsAtRest);
    EXPECT_EQ(HeldTake().size(), 22050u);
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), objectsAtRest + 2);
}

TEST_F(CaptureTest, NegativeMaximumSizesByItsMagnitudeAndStaysInsideTheBuffer) {
    ASSERT_TRUE(Succeeded(device->StartCapture(-1000, false)));
    EXPECT_EQ(device->captureBufferBytes, 22250u);
    marlowsim::AdvanceClock(1500);
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_EQ(device->takeBytes, 22050u);
}

// A recording keeps the format it started with: a change halfway neither
// ends it early nor cuts its take, in either direction.
TEST_F(CaptureTest, FormatChangedDuringTheRecordingKeepsTheWholeTake) {
    device->SetFormat(2, 44.1f, 16, "");
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    marlowsim::AdvanceClock(5000);
    device->SetFormat(1, 44.1f, 16, "");
    EXPECT_TRUE(Succeeded(device->PollState()));
    EXPECT_TRUE(device->IsCapturing());
    marlowsim::AdvanceClock(5100);
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_EQ(device->takeBytes, 1764000u);

    device->SetFormat(1, 11.025f, 16, "");
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    device->SetFormat(2, 44.1f, 16, "");
    marlowsim::AdvanceClock(3000);
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_EQ(device->takeBytes, 22050u);
}

TEST_F(CaptureTest, SecondStartIsRefusedAndTheFirstGoesOn) {
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    marlowsim::AdvanceClock(1000);
    EXPECT_TRUE(FailedWith(device->StartCapture(5000, false),
                           "Already capturing, stop capture before starting a new capture", -1));
    EXPECT_TRUE(device->IsCapturing());
    EXPECT_EQ(device->captureBufferBytes, 220700u);
    marlowsim::AdvanceClock(1000);
    device->StopCapture();
    EXPECT_EQ(device->takeBytes, 44100u);
}

TEST_F(CaptureTest, RecordingWhileMeteringEndsTheMetering) {
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    EXPECT_TRUE(device->capturing);
    EXPECT_FALSE(device->IsCapturing());  // metering is not recording
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    EXPECT_FALSE(device->IsLevelMeteringActive());
    EXPECT_TRUE(device->IsCapturing());
    EXPECT_EQ(device->captureBufferBytes, 220700u);
}

TEST_F(CaptureTest, RefusalsOfTheDevicesState) {
    EXPECT_TRUE(FailedWith(device->StopCapture(), "No capture to stop", -1));
    RecordFullTake(500);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_TRUE(FailedWith(device->StartCapture(500, false), "Cannot capture while playing a captured sound", -1));
    device->Close();
    EXPECT_TRUE(FailedWith(device->StartCapture(500, false), "Open device before capturing", -1));
    EXPECT_TRUE(FailedWith(device->StopCapture(), "No open device or capture", -1));
}

// A format no device can take never reaches DirectSound (some drivers abort
// on it): recording and metering are refused as DirectSound refuses it.
TEST_F(CaptureTest, AFormatNoDeviceCanTakeIsRefusedBeforeDirectSoundSeesIt) {
    struct Format {
        int32_t channels;
        float kiloHertz;
        int32_t bits;
    };
    for (const Format& bad : {Format{0, 11.025f, 16}, Format{2, 0.0f, 16}, Format{1, 11.025f, 0},
                              Format{1, 11.025f, 12}, Format{65537, 8.0f, 8}, Format{4096, 8.0f, 128}}) {
        EXPECT_TRUE(Succeeded(device->SetFormat(bad.channels, bad.kiloHertz, bad.bits, "")));
        EXPECT_TRUE(FailedWith(device->StartCapture(1000, false), "Could not create capture buffer:Bad format",
                               -2005401500));
        EXPECT_TRUE(FailedWith(device->SetLevelMetering(true, 50), "Could not create capture buffer:Bad format",
                               -2005401500));
        EXPECT_FALSE(device->capturing);
        EXPECT_FALSE(device->IsLevelMeteringActive());
    }
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::CreateCaptureBuffer), 0);
    EXPECT_EQ(device->captureBuffer, nullptr);
    device->SetFormat(1, 11.025f, 16, "");
    RecordFullTake(100);
}

TEST_F(CaptureTest, SizeBeyondThirtyTwoBitsIsRefusedByDirectSoundNotWrapped) {
    // 24348016 ms of 176400 bytes a second is 2^32 + 22726 bytes; cut to
    // 32 bits it would be a small buffer DirectSound accepts.
    device->SetFormat(2, 44.1f, 16, "");
    EXPECT_TRUE(FailedWith(device->StartCapture(24348016, false), "Could not create capture buffer:Invalid param",
                           static_cast<int32_t>(0x80070057u)));
    EXPECT_EQ(device->captureBufferBytes, 0xFFFFFFFFu);
    EXPECT_EQ(device->captureBuffer, nullptr);
}

TEST_F(CaptureTest, ABufferThatDoesNotStartIsAFailureAndNoTake) {
    marlowsim::InjectFault(marlowsim::Call::CaptureStart, DSERR_NODRIVER);
    StatusRecord answer = device->StartCapture(1000, false);
    EXPECT_TRUE(answer.failed);
    EXPECT_STREQ(answer.message, "Could not start capture");
    EXPECT_EQ(answer.code, DSERR_NODRIVER);
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_EQ(device->captureBuffer, nullptr);
    EXPECT_EQ(device->takeBytes, 0u);
    EXPECT_TRUE(device->StopCapture().failed);
    EXPECT_FALSE(device->StartCapture(1000, false).failed);
}

TEST_F(CaptureTest, ACaptureObjectThatCannotBeMadeAfreshFailsTheStartAndIsTriedAgain) {
    // Wine's capture object keeps its write position after a take, so the
    // next capture needs a fresh one.
    marlowsim::SetCaptureBehaviour(marlowsim::CaptureBehaviour::Wine);
    device->Close();
    OpenDefault();
    RecordFullTake(250);
    marlowsim::InjectFault(marlowsim::Call::DirectSoundCaptureCreate, DSERR_NODRIVER);
    EXPECT_TRUE(FailedWith(device->StartCapture(250, false), "Cannot access audio capture device", DSERR_NODRIVER));
    EXPECT_FALSE(device->capturing);
    EXPECT_EQ(device->captureObject, nullptr);
    EXPECT_TRUE(device->IsOpen());
    ASSERT_TRUE(Succeeded(device->StartCapture(250, false)));
    marlowsim::AdvanceClock(400);
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_EQ(device->takeBytes, 5512u);
}

// Only a start that succeeds replaces the take: whatever refuses a new
// recording or metering, the last take still saves and plays whole.
TEST_F(CaptureTest, ARefusedStartKeepsThePreviousTakeWhole) {
    auto imageOfTheTake = [this] {
        std::vector<uint8_t> bytes;
        if (HGLOBAL image = device->SoundImage()) {
            const auto* at = static_cast<const uint8_t*>(GlobalLock(image));
            bytes.assign(at, at + GlobalSize(image));
            GlobalUnlock(image);
            GlobalFree(image);
        }
        return bytes;
    };
    RecordFullTake(1000);
    const std::vector<uint8_t> take = imageOfTheTake();
    ASSERT_EQ(take.size(), 48u + 22050u);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    device->PlayStop();

    const auto refusals = {
        +[](DirectSoundAudioDevice& d) { return d.StartCapture(2147483647, false); },
        +[](DirectSoundAudioDevice& d) {
            d.SetFormat(0, 11.025f, 16, "");
            const StatusRecord answer = d.SetLevelMetering(true, 50);
            d.SetFormat(1, 11.025f, 16, "");
            return answer;
        },
        +[](DirectSoundAudioDevice& d) {
            marlowsim::InjectFault(marlowsim::Call::CreateCaptureBuffer, DSERR_OUTOFMEMORY, true);
            const StatusRecord answer = d.StartCapture(1000, false);
            marlowsim::ClearFaults();
            return answer;
        },
        +[](DirectSoundAudioDevice& d) {
            marlowsim::InjectFault(marlowsim::Call::CaptureStart, DSERR_NODRIVER);
            return d.StartCapture(1000, false);
        },
    };
    for (auto refuse : refusals) {
        EXPECT_TRUE(refuse(*device).failed);
        EXPECT_FALSE(device->capturing);
        EXPECT_FALSE(device->IsLevelMeteringActive());
        EXPECT_EQ(imageOfTheTake(), take);
        ASSERT_TRUE(Succeeded(device->PlayStart()));
        marlowsim::AdvanceClock(900);
        EXPECT_TRUE(device->IsPlaying());
        marlowsim::AdvanceClock(200);
        EXPECT_FALSE(device->IsPlaying());
    }
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);

    // A start that succeeds lets the previous take and its playback copy go.
    ASSERT_TRUE(Succeeded(device->StartCapture(500, false)));
    EXPECT_FALSE(device->takeHeldAside);
    EXPECT_EQ(device->playBuffer, nullptr);
    marlowsim::AdvanceClock(600);
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_EQ(imageOfTheTake().size(), 48u + 11024u);
}

TEST_F(CaptureTest, AMaximumWhoseBufferIsRefusedFailsTheStartAndTheObjectStaysUsable) {
    marlowsim::InjectFault(marlowsim::Call::CreateCaptureBuffer, DSERR_OUTOFMEMORY, true);
    EXPECT_TRUE(FailedWith(device->StartCapture(3600000, false), "Could not create capture buffer:Out of memory",
                           DSERR_OUTOFMEMORY));
    EXPECT_FALSE(device->IsCapturing());
    marlowsim::ClearFaults();
    RecordFullTake(1000);
    EXPECT_EQ(device->takeBytes, 22050u);
    EXPECT_TRUE(Succeeded(device->PlayStart()));
}

struct RefusalText {
    uint32_t code;
    const char* message;
};

class CaptureBufferRefusalTest : public CaptureTest, public ::testing::WithParamInterface<RefusalText> {};

TEST_P(CaptureBufferRefusalTest, NamesDirectSoundsResult) {
    marlowsim::InjectFault(marlowsim::Call::CreateCaptureBuffer, static_cast<HRESULT>(GetParam().code), true);
    EXPECT_TRUE(FailedWith(device->StartCapture(1000, false), GetParam().message, GetParam().code));
    EXPECT_FALSE(device->capturing);
    EXPECT_EQ(device->captureBuffer, nullptr);
    // Both description forms; "Device not available" once more on a fresh
    // capture object.
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::CreateCaptureBuffer), GetParam().code == 0x8889000Fu ? 4 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    EveryText, CaptureBufferRefusalTest,
    ::testing::Values(RefusalText{0x8007000Eu, "Could not create capture buffer:Out of memory"},
                      RefusalText{0x80004005u, "Could not create capture buffer:Gerneric error"},
                      RefusalText{0x80070057u, "Could not create capture buffer:Invalid param"},
                      RefusalText{0x8878000Au, "Could not create capture buffer:Resource already allocated"},
                      RefusalText{0x88780032u, "Could not create capture buffer:Invalid call (DSERR_INVALIDCALL)"},
                      RefusalText{0x88780064u, "Could not create capture buffer:Bad format"},
                      RefusalText{0x88780078u, "Could not create capture buffer:No driver"},
                      RefusalText{0x887800AAu, "Could not create capture buffer:Uninitialized"},
                      RefusalText{0x88890004u, "Could not create capture buffer:Device lost"},
                      RefusalText{0x8889000Fu, "Could not create capture buffer:Device not available"},
                      RefusalText{0x88780096u, "Some other (88780096 s:ffffffff f:8878 c:150) "}));

TEST(CaptureBufferErrorTextTest, OtherCodesShowSignFacilityAndLowByte) {
    char text[128];
    FormatCaptureBufferError(static_cast<HRESULT>(0x0007002Au), text, sizeof text);
    EXPECT_STREQ(text, "Some other (7002a s:0 f:7 c:42) ");
    FormatCaptureBufferError(static_cast<HRESULT>(0x800401F0u), text, sizeof text);
    EXPECT_STREQ(text, "Some other (800401f0 s:ffffffff f:8004 c:240) ");
}

}  // namespace
