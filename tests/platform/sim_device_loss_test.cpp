// Devices that go away under a running buffer and come back: what each
// call answers, and which objects work again.
#include "sim_test_support.h"

namespace {

constexpr HRESULT kDeviceNotAvailable = static_cast<HRESULT>(0x8889000Fu);

class SimDeviceLoss : public SimulatorTest {
protected:
    void StartCapturing() {
        ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 22050), DS_OK);
        ASSERT_EQ(captureBuffer->Start(0), DS_OK);
        marlowsim::AdvanceClock(300);
    }

    void MakePlaying(LPDIRECTSOUND* sound, LPDIRECTSOUNDBUFFER* buffer) {
        ASSERT_EQ(DirectSoundCreate(nullptr, sound, nullptr), DS_OK);
        playFormat = Pcm(1, 11025, 16);
        DSBUFFERDESC description{sizeof(DSBUFFERDESC), 0, 22050, 0, &playFormat, GUID{}};
        ASSERT_EQ((*sound)->CreateSoundBuffer(&description, buffer, nullptr), DS_OK);
        ASSERT_EQ((*buffer)->Play(0, 0, 0), DS_OK);
        marlowsim::AdvanceClock(300);
    }

    WAVEFORMATEX playFormat{};
};

}  // namespace

TEST_F(SimDeviceLoss, RemovedCaptureDeviceAnswersNoDriverAndCannotBeOpened) {
    StartCapturing();
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Removed);
    DWORD position = 0;
    DWORD status = 0;
    LPVOID first = nullptr;
    DWORD firstBytes = 0;
    EXPECT_EQ(captureBuffer->GetCurrentPosition(nullptr, &position), DSERR_NODRIVER);
    EXPECT_EQ(captureBuffer->GetStatus(&status), DSERR_NODRIVER);
    EXPECT_EQ(captureBuffer->Lock(0, 10, &first, &firstBytes, nullptr, nullptr, 0), DSERR_NODRIVER);
    EXPECT_EQ(captureBuffer->Stop(), DSERR_NODRIVER);

    LPDIRECTSOUNDCAPTURE another = nullptr;
    EXPECT_EQ(DirectSoundCaptureCreate(nullptr, &another, nullptr), DSERR_NODRIVER);
    captureBuffer->Release();
    captureBuffer = nullptr;
    EXPECT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 22050), kDeviceNotAvailable);
}

TEST_F(SimDeviceLoss, StalledCaptureDeviceAnswersOkWithAPositionThatStandsStill) {
    StartCapturing();
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Stalled);
    const DWORD atLoss = ReadPosition();
    EXPECT_EQ(atLoss, 6614u);  // 300 ms of 22050 bytes a second, whole frames
    marlowsim::AdvanceClock(5000);
    EXPECT_EQ(ReadPosition(), atLoss);
    EXPECT_EQ(CaptureStatus(), static_cast<DWORD>(DSCBSTATUS_CAPTURING));
    EXPECT_EQ(captureBuffer->Stop(), DS_OK);
}

TEST_F(SimDeviceLoss, BackAgainOnlyFreshObjectsWork) {
    StartCapturing();
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Stalled);
    marlowsim::AdvanceClock(1000);
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Present);
    const DWORD frozen = ReadPosition();
    marlowsim::AdvanceClock(1000);
    EXPECT_EQ(ReadPosition(), frozen);
    captureBuffer->Release();
    captureBuffer = nullptr;
    EXPECT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 22050), kDeviceNotAvailable);

    capture->Release();
    ASSERT_EQ(DirectSoundCaptureCreate(nullptr, &capture, nullptr), DS_OK);
    StartCapturing();
    EXPECT_EQ(ReadPosition(), 6614u);
}

TEST_F(SimDeviceLoss, ObjectsKnowTheirDevice) {
    marlowsim::SetCaptureDeviceCount(2);
    GUID second{0x5e1f0002u, 0x4d61, 0x726c, {0x80, 0, 0, 0, 0, 0, 0, 2}};
    LPDIRECTSOUNDCAPTURE other = nullptr;
    ASSERT_EQ(DirectSoundCaptureCreate(&second, &other, nullptr), DS_OK);
    marlowsim::SetCaptureDeviceState(0, marlowsim::DeviceState::Removed);
    WAVEFORMATEX format = Pcm(1, 11025, 16);
    DSCBUFFERDESC description{sizeof(DSCBUFFERDESC), 0, 1000, 0, &format, 0, nullptr};
    LPDIRECTSOUNDCAPTUREBUFFER buffer = nullptr;
    EXPECT_EQ(other->CreateCaptureBuffer(&description, &buffer, nullptr), DS_OK);
    buffer->Release();
    other->Release();
    EXPECT_EQ(MakeCaptureBuffer(format, 1000), kDeviceNotAvailable);
}

TEST_F(SimDeviceLoss, PlaybackDeviceRemovedOrStalled) {
    LPDIRECTSOUND sound = nullptr;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    MakePlaying(&sound, &buffer);
    marlowsim::SetPlaybackDeviceState(marlowsim::DeviceState::Stalled);
    DWORD before = 0;
    DWORD after = 0;
    DWORD status = 0;
    ASSERT_EQ(buffer->GetCurrentPosition(&before, nullptr), DS_OK);
    marlowsim::AdvanceClock(3000);
    ASSERT_EQ(buffer->GetCurrentPosition(&after, nullptr), DS_OK);
    EXPECT_EQ(after, before);
    ASSERT_EQ(buffer->GetStatus(&status), DS_OK);
    EXPECT_EQ(status, static_cast<DWORD>(DSBSTATUS_PLAYING));
    LPDIRECTSOUND fresh = nullptr;
    EXPECT_EQ(DirectSoundCreate(nullptr, &fresh, nullptr), DSERR_NODRIVER);
    buffer->Release();
    sound->Release();

    marlowsim::SetPlaybackDeviceState(marlowsim::DeviceState::Present);
    MakePlaying(&sound, &buffer);
    marlowsim::SetPlaybackDeviceState(marlowsim::DeviceState::Removed);
    EXPECT_EQ(buffer->GetStatus(&status), DSERR_NODRIVER);
    EXPECT_EQ(buffer->GetCurrentPosition(&after, nullptr), DSERR_NODRIVER);
    buffer->Release();
    sound->Release();
}

TEST_F(SimDeviceLoss, ACaptureObjectThatNeverDelivers) {
    capture->Release();
    marlowsim::SetCaptureObjectsThatNeverDeliver(1);
    ASSERT_EQ(DirectSoundCaptureCreate(nullptr, &capture, nullptr), DS_OK);
    StartCapturing();
    marlowsim::AdvanceClock(3000);
    EXPECT_EQ(ReadPosition(), 0u);
    EXPECT_EQ(CaptureStatus(), static_cast<DWORD>(DSCBSTATUS_CAPTURING));
    captureBuffer->Release();
    captureBuffer = nullptr;
    capture->Release();
    ASSERT_EQ(DirectSoundCaptureCreate(nullptr, &capture, nullptr), DS_OK);
    StartCapturing();
    EXPECT_EQ(ReadPosition(), 6614u);
}
