#include <cstring>

#include "audio_test_fixture.h"

namespace {

class PlaybackTest : public AudioDeviceTest {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        OpenDefault();
    }
};

TEST_F(PlaybackTest, NeedsAnOpenDeviceAndATake) {
    EXPECT_TRUE(FailedWith(device->PlayStart(), "No sound to play", -1));
    device->Close();
    EXPECT_TRUE(FailedWith(device->PlayStart(), "Open device before playing", -1));
}

// The sound buffer holding the take's copy goes when playback ends, by
// itself or stopped, so that the take is held once again at rest.
TEST_F(PlaybackTest, TakeIsCopiedForEachPlayAndReplayedFromItsStart) {
    RecordFullTake(1000);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_TRUE(device->IsPlaying());
    EXPECT_TRUE(FailedWith(device->PlayStart(), "Already playing the sound", -1));
    marlowsim::AdvanceClock(300);
    EXPECT_TRUE(Succeeded(device->PlayStop()));
    EXPECT_FALSE(device->IsPlaying());
    EXPECT_EQ(device->playBuffer, nullptr);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::CreateSoundBuffer), 2);
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::PlaySetCurrentPosition), 2);
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::Play), 2);
    // Replayed from its start: the whole second still lies ahead.
    marlowsim::AdvanceClock(900);
    EXPECT_TRUE(device->IsPlaying());
}

TEST_F(PlaybackTest, CopyHoldsTheTakesSamples) {
    RecordFullTake(200);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    const std::vector<uint8_t> take = HeldTake();
    void* copy = nullptr;
    DWORD copyLength = 0;
    ASSERT_TRUE(SUCCEEDED(device->playBuffer->Lock(0, device->takeBytes, &copy, &copyLength, nullptr, nullptr, 0)));
    ASSERT_EQ(copyLength, device->takeBytes);
    EXPECT_EQ(std::memcmp(take.data(), copy, device->takeBytes), 0);
    device->playBuffer->Unlock(copy, copyLength, nullptr, 0);
}

TEST_F(PlaybackTest, EndOfPlayIsNoticedByAskingOrAtTheIdlePoll) {
    RecordFullTake(500);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    marlowsim::AdvanceClock(700);
    EXPECT_TRUE(device->playing);  // not yet noticed
    EXPECT_FALSE(device->IsPlaying());
    ASSERT_TRUE(Succeeded(device->PlayStart()));

    marlowsim::AdvanceClock(700);
    EXPECT_TRUE(Succeeded(device->PollState()));
    EXPECT_FALSE(device->playing);
    EXPECT_TRUE(Succeeded(device->PlayStart()));
}

TEST_F(PlaybackTest, StoppingWhenNothingPlaysIsFine) {
    EXPECT_TRUE(Succeeded(device->PlayStop()));
    device->Close();
    EXPECT_TRUE(Succeeded(device->PlayStop()));
}

TEST_F(PlaybackTest, DuringARecordingTheCopyIsRefused) {
    RecordFullTake(500);
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    WatchFailures();
    EXPECT_TRUE(FailedWith(device->PlayStart(), "Problem during copying from record to play", -1));
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], "Cannot play a sound while still capturing");
    EXPECT_EQ(device->playBuffer, nullptr);
}

TEST_F(PlaybackTest, DuringTheFirstRecordingThereIsNoSound) {
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    EXPECT_TRUE(FailedWith(device->PlayStart(), "No sound to play", -1));
}

TEST_F(PlaybackTest, FailedCopiesAreReportedAndTriedAgainNextTime) {
    RecordFullTakeLeftInItsBuffer(500);
    WatchFailures();
    marlowsim::InjectFault(marlowsim::Call::CaptureLock, DSERR_INVALIDCALL);
    EXPECT_TRUE(FailedWith(device->PlayStart(), "Problem during copying from record to play", -1));
    EXPECT_EQ(failures.front(), "Problem during capture buffer lock");

    failures.clear();
    marlowsim::InjectFault(marlowsim::Call::CreateSoundBuffer, DSERR_OUTOFMEMORY);
    EXPECT_TRUE(FailedWith(device->PlayStart(), "Problem during copying from record to play", -1));
    EXPECT_EQ(failures.front(), "Problem during create sound buffer");
    EXPECT_EQ(marlowsim::OutstandingLocks(), 0);

    EXPECT_TRUE(Succeeded(device->PlayStart()));
}

TEST_F(PlaybackTest, PlayBufferThatCannotBeLockedIsReleased) {
    RecordFullTake(500);
    const int objectsBefore = marlowsim::LiveDirectSoundObjects();
    WatchFailures();
    marlowsim::InjectFault(marlowsim::Call::PlayLock, DSERR_BUFFERLOST);
    EXPECT_TRUE(FailedWith(device->PlayStart(), "Problem during copying from record to play", -1));
    EXPECT_EQ(failures.front(), "Problem during play buffer lock");
    EXPECT_EQ(device->playBuffer, nullptr);
    EXPECT_FALSE(device->playing);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), objectsBefore);
    EXPECT_EQ(marlowsim::OutstandingLocks(), 0);
    EXPECT_TRUE(Succeeded(device->PlayStart()));
}

class PlayRefusalTest : public PlaybackTest, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(PlayRefusalTest, RefusedStartIsReported) {
    RecordFullTake(500);
    const HRESULT refusal = static_cast<HRESULT>(GetParam());
    marlowsim::InjectFault(marlowsim::Call::Play, refusal);
    EXPECT_TRUE(FailedWith(device->PlayStart(), "Problem while trying to start play", refusal));
    EXPECT_FALSE(device->playing);
}

INSTANTIATE_TEST_SUITE_P(EachNamedCode, PlayRefusalTest,
                         ::testing::Values(0x88780096u, 0x88780032u, 0x80070057u, 0x88780046u));

TEST_F(PlaybackTest, OtherPlayResultsCountAsStarted) {
    RecordFullTake(500);
    marlowsim::InjectFault(marlowsim::Call::Play, DSERR_GENERIC);
    EXPECT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_TRUE(device->playing);
}

TEST_F(PlaybackTest, TakeWhoseBufferIsGoneIsNoTake) {
    RecordFullTake(500);
    device->Close();
    OpenDefault();
    EXPECT_TRUE(FailedWith(device->PlayStart(), "No sound to play", -1));
    EXPECT_EQ(device->takeBytes, 11024u);
}

TEST_F(PlaybackTest, TheTakePlaysInTheFormatItWasRecordedIn) {
    device->SetFormat(2, 44.1f, 16, "");
    RecordFullTake(1000);
    device->SetFormat(1, 11.025f, 16, "");
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    marlowsim::AdvanceClock(900);
    EXPECT_TRUE(device->IsPlaying());
    marlowsim::AdvanceClock(200);
    EXPECT_FALSE(device->IsPlaying()) << "played at another rate";
}

TEST_F(PlaybackTest, PlayingDuringMeteringPlaysWhatTheMeteringLeft) {
    ASSERT_TRUE(Succeeded(device->SetLevelMeteringDuration(50)));
    EXPECT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_FALSE(device->IsLevelMeteringActive());
    EXPECT_FALSE(device->capturing);
    EXPECT_TRUE(device->IsPlaying());
    EXPECT_GT(device->takeBytes, 0u);
    EXPECT_LE(device->takeBytes, 1302u);
}

}  // namespace
