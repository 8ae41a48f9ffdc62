// A capture or playback device that goes away while it is in use, by
// unplugging (errors from then on) or by stalling (no errors, no progress):
// the recording, metering or playback ends there, reports the loss once,
// keeps the bytes before it, and works again on fresh objects.
#include <cstring>
#include <utility>
#include <vector>

#include "audio_test_fixture.h"

namespace {

constexpr const char* kCaptureLost = "Audio capture device lost: the take keeps what was recorded before";
constexpr const char* kMeteringLost = "Audio capture device lost: level metering stopped";
constexpr const char* kPlaybackLost = "Audio playback device lost: playback stopped";

// 1500 ms of the default format, whole frames.
constexpr uint32_t kBytesOfOneAndAHalfSeconds = 33074;

class DeviceLossTest : public AudioDeviceTest, public ::testing::WithParamInterface<marlowsim::DeviceState> {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        OpenDefault();
        WatchFailures();
    }

    bool Removed() const { return GetParam() == marlowsim::DeviceState::Removed; }
    // What the loss is reported with: DirectSound's error, or -1 for a
    // position that stood still.
    int32_t LossCode() const { return Removed() ? static_cast<int32_t>(DSERR_NODRIVER) : -1; }
    // A removed device is noticed at the next look; a stalled one once its
    // position has stood still past the limit.
    uint32_t TimeToNotice() const { return Removed() ? 10 : kStallLimitMs + 1; }

    // The take's samples, through its sound image.
    std::vector<uint8_t> TakeSamples() {
        HGLOBAL image = device->SoundImage();
        EXPECT_NE(image, nullptr);
        if (image == nullptr) {
            return {};
        }
        const auto* bytes = static_cast<const uint8_t*>(GlobalLock(image));
        std::vector<uint8_t> samples(bytes + 48, bytes + 48 + device->takeBytes);
        GlobalUnlock(image);
        GlobalFree(image);
        return samples;
    }

    // An 8 s take whose device goes away 500 ms in, the loss noticed.
    void LoseTheDeviceHalfASecondIntoATake() {
        ASSERT_TRUE(Succeeded(device->StartCapture(8000, false)));
        marlowsim::AdvanceClock(500);
        ASSERT_TRUE(device->IsCapturing());
        marlowsim::SetCaptureDeviceState(0, GetParam());
        marlowsim::AdvanceClock(TimeToNotice());
        ASSERT_FALSE(device->IsCapturing());
    }

    // A take of 1500 ms stopped by hand, on whatever device is there now.
    std::vector<uint8_t> ReferenceTake() {
        EXPECT_TRUE(Succeeded(device->StartCapture(8000, false)));
        marlowsim::AdvanceClock(1500);
        EXPECT_TRUE(Succeeded(device->StopCapture()));
        return TakeSamples();
    }
};

}  // namespace

TEST_P(DeviceLossTest, RecordingEndsThereKeepsTheBytesBeforeAndReportsOnce) {
    ASSERT_TRUE(Succeeded(device->StartCapture(8000, false)));
    marlowsim::AdvanceClock(1500);
    ASSERT_TRUE(device->IsCapturing());
    marlowsim::SetCaptureDeviceState(0, GetParam());
    marlowsim::AdvanceClock(TimeToNotice() - 1);
    if (!Removed()) {
        EXPECT_TRUE(device->IsCapturing()) << "a stall shorter than the limit is no loss";
        marlowsim::AdvanceClock(1);
    }
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_TRUE(FailedWith(device->status, kCaptureLost, LossCode()));
    EXPECT_FALSE(device->IsCapturing());
    device->PollState();
    EXPECT_EQ(failures, std::vector<std::string>{kCaptureLost});

    // The broken buffer and its capture object are gone, the buffer first.
    EXPECT_EQ(device->captureBuffer, nullptr);
    EXPECT_EQ(device->captureObject, nullptr);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 1);
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);

    ASSERT_EQ(device->takeBytes, kBytesOfOneAndAHalfSeconds);
    const std::vector<uint8_t> kept = TakeSamples();
    EXPECT_TRUE(Succeeded(device->SaveAsFile((::testing::TempDir() + "lost.wav").c_str())));
    EXPECT_TRUE(Succeeded(device->PlayStart()));
    device->PlayStop();

    // The same input from the start, on the device once it is back.
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Present);
    EXPECT_EQ(kept, ReferenceTake());
}

TEST_P(DeviceLossTest, StopRecordingBeforeTheLossIsNoticedKeepsTheBytesBefore) {
    ASSERT_TRUE(Succeeded(device->StartCapture(8000, false)));
    marlowsim::AdvanceClock(1500);
    ASSERT_TRUE(device->IsCapturing());
    marlowsim::SetCaptureDeviceState(0, GetParam());
    marlowsim::AdvanceClock(1000);
    // A stalled buffer still answers: its stop is an ordinary one.
    const StatusRecord stopped = device->StopCapture();
    EXPECT_TRUE(Removed() ? FailedWith(stopped, kCaptureLost, DSERR_NODRIVER) : Succeeded(stopped));
    EXPECT_EQ(device->takeBytes, kBytesOfOneAndAHalfSeconds);
    EXPECT_EQ(failures.size(), Removed() ? 1u : 0u);
    EXPECT_EQ(TakeSamples().size(), kBytesOfOneAndAHalfSeconds);
}

TEST_P(DeviceLossTest, BackAgainTheNextRecordingWorksWithOrWithoutOpeningAgain) {
    LoseTheDeviceHalfASecondIntoATake();
    EXPECT_TRUE(device->StartCapture(1000, false).failed) << "the device is still away";
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Present);

    RecordFullTake(1000);
    EXPECT_EQ(device->takeBytes, 22050u);

    ASSERT_TRUE(Succeeded(device->Close()));
    ASSERT_TRUE(Succeeded(device->Open("")));
    RecordFullTake(1000);
    EXPECT_EQ(device->takeBytes, 22050u);
}

// Coming back, a device refuses capture buffers for a while ("Device not
// available", as Wine's did for 2.8 s): the first start after the loss
// waits for it, at most 4 s; nothing else waits.
TEST_P(DeviceLossTest, BackAgainTheFirstStartWaitsForTheDeviceToTakeBuffers) {
    const uint32_t kNotAvailable = 0x8889000Fu;
    const char* const kRefused = "Could not create capture buffer:Device not available";
    marlowsim::SetCaptureBuffersRefusedAfterReturn(2800);
    DirectSoundAudioDevice bystander(TestWindow());
    ASSERT_TRUE(Succeeded(bystander.Open("")));
    auto loseTheDevice = [&] {
        LoseTheDeviceHalfASecondIntoATake();
        marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Present);
    };
    auto waitedFor = [](auto start) {
        const uint32_t before = marlowsim::ClockMilliseconds();
        const StatusRecord answer = start();
        return std::make_pair(answer, marlowsim::ClockMilliseconds() - before);
    };

    // Opened again as an author would, or not; recording, or metering.
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        loseTheDevice();
        if (run == 1) {
            ASSERT_TRUE(Succeeded(device->Close()));
            ASSERT_TRUE(Succeeded(device->Open("")));
        }
        const auto [answer, waited] = waitedFor([&] {
            return run == 2 ? device->SetLevelMetering(true, 50) : device->StartCapture(1000, false);
        });
        EXPECT_TRUE(Succeeded(answer));
        EXPECT_GE(waited, 2800u);
        EXPECT_LE(waited, 2900u);
        device->SetLevelMetering(false, 50);
        device->StopCapture();
    }
    // An object that did not see the loss does not wait; its capture object,
    // made before the loss, is replaced by a fresh one, which records once
    // the device takes buffers again.
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Removed);
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Present);
    const auto [bystanderAnswer, bystanderWaited] = waitedFor([&] { return bystander.StartCapture(1000, false); });
    EXPECT_TRUE(FailedWith(bystanderAnswer, kRefused, kNotAvailable));
    EXPECT_EQ(bystanderWaited, 0u);
    marlowsim::AdvanceClock(2800);
    EXPECT_TRUE(Succeeded(bystander.StartCapture(1000, false)));
    bystander.StopCapture();
    // Nor does another refusal; and a device slower than 4 s is refused,
    // the next start waiting for it again.
    loseTheDevice();
    marlowsim::InjectFault(marlowsim::Call::CreateCaptureBuffer, DSERR_OUTOFMEMORY, true);
    EXPECT_EQ(waitedFor([&] { return device->StartCapture(1000, false); }).second, 0u);
    marlowsim::ClearFaults();
    marlowsim::SetCaptureBuffersRefusedAfterReturn(6000);
    const auto [refused, waitedInVain] = waitedFor([&] { return device->StartCapture(1000, false); });
    EXPECT_TRUE(FailedWith(refused, kRefused, kNotAvailable));
    EXPECT_EQ(waitedInVain, 4000u);
    EXPECT_TRUE(Succeeded(device->StartCapture(1000, false)));
    bystander.Close();
}

TEST_P(DeviceLossTest, MeteringEndsAndReportsOnce) {
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    marlowsim::AdvanceClock(100);
    int32_t left = 0;
    int32_t right = 0;
    ASSERT_TRUE(Succeeded(device->GetLevel(&left, &right)));
    marlowsim::SetCaptureDeviceState(0, GetParam());
    for (uint32_t waited = 0; waited < TimeToNotice(); waited += 100) {
        marlowsim::AdvanceClock(100);
        device->PollState();
    }
    EXPECT_FALSE(device->IsLevelMeteringActive());
    EXPECT_TRUE(FailedWith(device->status, kMeteringLost, LossCode()));
    EXPECT_TRUE(device->GetLevel(&left, &right).failed);
    EXPECT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures.front(), kMeteringLost);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 1);

    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Present);
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    marlowsim::AdvanceClock(100);
    ASSERT_TRUE(Succeeded(device->GetLevel(&left, &right)));
    EXPECT_GT(left, 0);
}

TEST_P(DeviceLossTest, PlaybackEndsAndTheNextPlaySoundWorksOnceTheDeviceIsBack) {
    RecordFullTake(1000);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    marlowsim::AdvanceClock(200);
    ASSERT_TRUE(device->IsPlaying());
    marlowsim::SetPlaybackDeviceState(GetParam());
    marlowsim::AdvanceClock(TimeToNotice() - 1);
    if (!Removed()) {
        EXPECT_TRUE(device->IsPlaying()) << "a stall shorter than the limit is no loss";
        marlowsim::AdvanceClock(1);
    }
    EXPECT_FALSE(device->IsPlaying());
    EXPECT_TRUE(FailedWith(device->status, kPlaybackLost, LossCode()));
    device->PollState();
    EXPECT_EQ(failures, std::vector<std::string>{kPlaybackLost});
    EXPECT_EQ(device->playBuffer, nullptr);
    EXPECT_EQ(device->playbackObject, nullptr);
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);
    EXPECT_TRUE(device->IsOpen());

    EXPECT_TRUE(device->PlayStart().failed) << "the device is still away";
    marlowsim::SetPlaybackDeviceState(marlowsim::DeviceState::Present);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    marlowsim::AdvanceClock(200);
    EXPECT_TRUE(device->IsPlaying());
    EXPECT_TRUE(Succeeded(device->PlayStop()));
}

INSTANTIATE_TEST_SUITE_P(RemovedOrStalled, DeviceLossTest,
                         ::testing::Values(marlowsim::DeviceState::Removed, marlowsim::DeviceState::Stalled),
                         [](const ::testing::TestParamInfo<marlowsim::DeviceState>& info) {
                             return info.param == marlowsim::DeviceState::Removed ? "Removed" : "Stalled";
                         });

namespace {

class CaptureClockTest : public AudioDeviceTest {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        marlowsim::SetCaptureBehaviour(marlowsim::CaptureBehaviour::Wine);
    }
};

}  // namespace

// The restart records in the capture's own format, whatever was set since.
TEST_F(CaptureClockTest, NothingCapturedTwoSecondsAfterTheStartRestartsOnAFreshCaptureObject) {
    WatchFailures();
    for (const int32_t channelsSetMeanwhile : {1, 2, 0}) {
        SCOPED_TRACE(channelsSetMeanwhile);
        marlowsim::SetCaptureObjectsThatNeverDeliver(1);
        OpenDefault();
        device->SetFormat(1, 11.025f, 16, "");
        ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
        device->SetFormat(channelsSetMeanwhile, 44.1f, 16, "");
        marlowsim::AdvanceClock(2000);
        EXPECT_TRUE(device->IsCapturing());
        marlowsim::AdvanceClock(1100);
        EXPECT_FALSE(device->IsCapturing());
        EXPECT_EQ(device->takeBytes, 22050u);
        EXPECT_EQ(static_cast<uint32_t>(device->takeFormat.nAvgBytesPerSec), 22050u);
        device->Close();
    }
    EXPECT_TRUE(failures.empty()) << failures.front();
}

TEST_F(CaptureClockTest, ARestartThatCannotBeMadeIsOneLoss) {
    WatchFailures();
    for (const marlowsim::Call refused : {marlowsim::Call::DirectSoundCaptureCreate,
                                          marlowsim::Call::CreateCaptureBuffer, marlowsim::Call::CaptureStart}) {
        failures.clear();
        marlowsim::SetCaptureObjectsThatNeverDeliver(1);
        OpenDefault();
        ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
        marlowsim::InjectFault(refused, DSERR_NODRIVER, true);
        marlowsim::AdvanceClock(2000);
        EXPECT_FALSE(device->IsCapturing());
        marlowsim::ClearFaults();
        EXPECT_EQ(failures, std::vector<std::string>{kCaptureLost});
        EXPECT_TRUE(FailedWith(device->status, kCaptureLost, DSERR_NODRIVER));
        device->Close();
    }
}

TEST_F(CaptureClockTest, RecordingNowEndsByTheMaximumAndTheStallLimitOnTheClock) {
    // The fresh object after the restart delivers late, but never stands
    // still past the limit before the take's deadline.
    marlowsim::SetCaptureObjectsThatNeverDeliver(1);
    marlowsim::SetCaptureLateStart(3900);
    OpenDefault();
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    for (uint32_t waited = 0; waited < 1000 + kStallLimitMs; waited += 100) {
        marlowsim::AdvanceClock(100);
        ASSERT_TRUE(device->IsCapturing()) << "after " << waited + 100 << " ms";
    }
    marlowsim::AdvanceClock(100);
    EXPECT_FALSE(device->IsCapturing());
}
