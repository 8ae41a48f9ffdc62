#include "sim_test_support.h"

namespace {

class SimBuffers : public SimulatorTest {
protected:
    void SetUp() override {
        SimulatorTest::SetUp();
        ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    }
    void TearDown() override {
        if (playBuffer) playBuffer->Release();
        if (sound) sound->Release();
        SimulatorTest::TearDown();
    }

    HRESULT MakePlayBuffer(WAVEFORMATEX format, DWORD bytes) {
        playFormat = format;
        DSBUFFERDESC description{
            sizeof(DSBUFFERDESC),
            DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_CTRLVOLUME,
            bytes,
            0,
            &playFormat,
            GUID{}};
        return sound->CreateSoundBuffer(&description, &playBuffer, nullptr);
    }

    DWORD PlayStatus() {
        DWORD status = 0xFFFFFFFF;
        EXPECT_EQ(playBuffer->GetStatus(&status), DS_OK);
        return status;
    }

    WAVEFORMATEX playFormat{};
    LPDIRECTSOUND sound = nullptr;
    LPDIRECTSOUNDBUFFER playBuffer = nullptr;
};

}  // namespace

TEST_F(SimBuffers, LockAcrossTheEndGivesTwoRegionsAndIsCounted) {
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 1000), DS_OK);
    LPVOID first = nullptr;
    LPVOID second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    ASSERT_EQ(captureBuffer->Lock(900, 300, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    EXPECT_EQ(firstBytes, 100u);
    EXPECT_EQ(secondBytes, 200u);
    EXPECT_EQ(static_cast<uint8_t*>(first) - static_cast<uint8_t*>(second), 900);
    EXPECT_EQ(marlowsim::OutstandingLocks(), 1);

    LPVOID whole = nullptr;
    ASSERT_EQ(captureBuffer->Lock(0, 1000, &whole, &firstBytes, &second, &secondBytes, 0), DS_OK);
    EXPECT_EQ(firstBytes, 1000u);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(secondBytes, 0u);
    EXPECT_EQ(marlowsim::OutstandingLocks(), 2);

    EXPECT_EQ(captureBuffer->Lock(0, 1001, &whole, &firstBytes, &second, &secondBytes, 0),
              DSERR_INVALIDPARAM);
    EXPECT_EQ(captureBuffer->Unlock(reinterpret_cast<LPVOID>(0x10), 1, nullptr, 0),
              DSERR_INVALIDPARAM);
    EXPECT_EQ(captureBuffer->Unlock(first, 100, static_cast<uint8_t*>(first) - 900, 200), DS_OK);
    EXPECT_EQ(captureBuffer->Unlock(whole, 1000, nullptr, 0), DS_OK);
    EXPECT_EQ(marlowsim::OutstandingLocks(), 0);
}

TEST_F(SimBuffers, PlayBufferPlaysOnceAndStopsAtItsEnd) {
    ASSERT_EQ(MakePlayBuffer(Pcm(1, 11025, 16), 22050), DS_OK);
    EXPECT_EQ(PlayStatus(), 0u);
    ASSERT_EQ(playBuffer->SetCurrentPosition(0), DS_OK);
    ASSERT_EQ(playBuffer->Play(0, 0, 0), DS_OK);
    marlowsim::AdvanceClock(999);
    EXPECT_EQ(PlayStatus(), DSBSTATUS_PLAYING);
    marlowsim::AdvanceClock(1);
    EXPECT_EQ(PlayStatus(), 0u);

    // Played again from the start, and stopped half way.
    playBuffer->SetCurrentPosition(0);
    playBuffer->Play(0, 0, 0);
    marlowsim::AdvanceClock(500);
    ASSERT_EQ(playBuffer->Stop(), DS_OK);
    EXPECT_EQ(PlayStatus(), 0u);
    DWORD cursor = 0;
    playBuffer->GetCurrentPosition(&cursor, nullptr);
    EXPECT_EQ(cursor, 11024u);

    playBuffer->Play(0, 0, DSBPLAY_LOOPING);
    marlowsim::AdvanceClock(5000);
    EXPECT_EQ(PlayStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(playBuffer->SetCurrentPosition(22050), DSERR_INVALIDPARAM);
}

TEST_F(SimBuffers, PlayBufferRefusals) {
    EXPECT_EQ(MakePlayBuffer(Pcm(1, 11025, 16), 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(MakePlayBuffer(Pcm(1, 11025, 16), 0x10000000), DSERR_INVALIDPARAM);
    EXPECT_EQ(MakePlayBuffer(Pcm(3, 11025, 20), 1000), DSERR_BADFORMAT);
    DSBUFFERDESC wrongSize{sizeof(DSBUFFERDESC) - 4, 0, 1000, 0, &playFormat, GUID{}};
    EXPECT_EQ(sound->CreateSoundBuffer(&wrongSize, &playBuffer, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(playBuffer, nullptr);
}

TEST_F(SimBuffers, PlayFaultsAnswerTheirCodes) {
    ASSERT_EQ(MakePlayBuffer(Pcm(1, 11025, 16), 1000), DS_OK);
    marlowsim::InjectFault(marlowsim::Call::Play, DSERR_BUFFERLOST);
    EXPECT_EQ(playBuffer->Play(0, 0, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(PlayStatus(), 0u);
    marlowsim::InjectFault(marlowsim::Call::PlayLock, DSERR_INVALIDCALL, true);
    LPVOID region = nullptr;
    DWORD bytes = 0;
    EXPECT_EQ(playBuffer->Lock(0, 10, &region, &bytes, nullptr, nullptr, 0), DSERR_INVALIDCALL);
    EXPECT_EQ(playBuffer->Lock(0, 10, &region, &bytes, nullptr, nullptr, 0), DSERR_INVALIDCALL);
    EXPECT_EQ(marlowsim::OutstandingLocks(), 0);
    EXPECT_EQ(playBuffer->Play(0, 0, 0), DS_OK);
}

TEST_F(SimBuffers, CaptureBufferFaultsAnswerInsteadOfActing) {
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 1000), DS_OK);
    marlowsim::InjectFault(marlowsim::Call::CaptureStart, DSERR_INVALIDCALL);
    EXPECT_EQ(captureBuffer->Start(0), DSERR_INVALIDCALL);
    EXPECT_EQ(CaptureStatus(), 0u);
    marlowsim::InjectFault(marlowsim::Call::CaptureGetCurrentPosition, DSERR_GENERIC);
    DWORD position = 7;
    EXPECT_EQ(captureBuffer->GetCurrentPosition(nullptr, &position), DSERR_GENERIC);
    EXPECT_EQ(position, 7u);
    marlowsim::InjectFault(marlowsim::Call::CreateCaptureBuffer, DSERR_ALLOCATED);
    WAVEFORMATEX format = Pcm(1, 11025, 16);
    DSCBUFFERDESC description{sizeof(DSCBUFFERDESC), 0, 1000, 0, &format, 0, nullptr};
    LPDIRECTSOUNDCAPTUREBUFFER another = nullptr;
    EXPECT_EQ(capture->CreateCaptureBuffer(&description, &another, nullptr), DSERR_ALLOCATED);
    EXPECT_EQ(another, nullptr);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 3);
}

TEST_F(SimBuffers, ReleasingTheMakerBeforeItsBuffersIsAViolation) {
    ASSERT_EQ(MakeCaptureBuffer(Pcm(1, 11025, 16), 1000), DS_OK);
    ASSERT_EQ(MakePlayBuffer(Pcm(1, 11025, 16), 1000), DS_OK);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 4);

    // Buffer first, then its object: in order.
    playBuffer->Release();
    playBuffer = nullptr;
    sound->Release();
    sound = nullptr;
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);

    capture->Release();
    capture = nullptr;
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 1);
    captureBuffer->Release();
    captureBuffer = nullptr;
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 1);
}
