#include <cstring>

#include "bridge_test_fixture.h"
#include "host_choices.h"
#include "moa/imoa_dr_utils.h"

namespace {

class CastMemberExport : public BridgeTest {
protected:
    void SetUp() override {
        BridgeTest::SetUp();
        blocksBefore = marlowsim::LiveGlobalBlocks();
        referencesBefore = host.OutstandingServiceReferences();
        valuesBefore = host.Values().LiveValues();
    }
    void TearDown() override {
        // The take's block is freed on every path, and nothing else is left.
        EXPECT_EQ(marlowsim::LiveGlobalBlocks(), blocksBefore);
        EXPECT_EQ(host.OutstandingServiceReferences(), referencesBefore);
        EXPECT_EQ(host.ServiceOverReleases(), 0);
        EXPECT_EQ(host.Values().LiveValues(), valuesBefore);
        BridgeTest::TearDown();
    }

    // A take as SoundImage hands it out: a movable block, here with some bytes.
    HGLOBAL Take(const std::vector<uint8_t>& bytes) {
        HGLOBAL block = GlobalAlloc(GHND, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        return block;
    }

    std::string Save(const char* name, int32_t castLib, const std::vector<uint8_t>& bytes) {
        StatusRecord result = bridge.SaveSoundAsMember(name, castLib, Take(bytes));
        return result.FormatText();
    }

    const std::vector<uint8_t> firstTake = {'R', 'I', 'F', 'F', 1, 2, 3, 4};
    const std::vector<uint8_t> secondTake = {'R', 'I', 'F', 'F', 9, 9};
    int blocksBefore = 0;
    int referencesBefore = 0;
    int valuesBefore = 0;
};

TEST_F(CastMemberExport, ANewNameTakesTheFirstFreeSlotAsANamedSoundMember) {
    marlowhost::CastLibrary& cast = *host.Movie().Cast(1);
    cast.PutMember(1, "Bitmap", "backdrop");
    EXPECT_EQ(Save("take", 1, firstTake), "Ok");

    marlowhost::CastMember* member = cast.MemberNamed("take");
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->Index(), 2);
    EXPECT_EQ(member->Type(), "Sound");
    EXPECT_EQ(member->Name(), "take");
    EXPECT_EQ(member->Media(), firstTake);
    EXPECT_EQ(member->MediaLabel(), "Sound");
    EXPECT_EQ(member->MediaFormat(), "winWAVE");
    EXPECT_EQ(cast.MemberCount(), 2);
}

TEST_F(CastMemberExport, TheSameNameAgainReplacesTheMediaAndAddsNoMember) {
    marlowhost::CastLibrary& cast = *host.Movie().Cast(1);
    EXPECT_EQ(Save("take", 1, firstTake), "Ok");
    EXPECT_EQ(Save("TAKE", 1, secondTake), "Ok");
    EXPECT_EQ(cast.MemberCount(), 1);
    marlowhost::CastMember* member = cast.MemberNamed("take");
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->Index(), 1);
    EXPECT_EQ(member->Name(), "take");
    EXPECT_EQ(member->Media(), secondTake);
    EXPECT_EQ(member->SetMediaCalls(), 2);
}

TEST_F(CastMemberExport, GoesToTheCastLibraryAsked) {
    host.Movie().AddCastLibrary("Takes", 10);
    EXPECT_EQ(Save("take", 2, firstTake), "Ok");
    EXPECT_EQ(host.Movie().Cast(1)->MemberCount(), 0);
    ASSERT_NE(host.Movie().Cast(2)->MemberNamed("take"), nullptr);
}

TEST_F(CastMemberExport, AMissingCastLibraryFailsWithTheHostsCode) {
    const std::string expected =
        "Error :could not get access to cast (" + std::to_string(kMoaDrErr_CastNotFound) + ")";
    EXPECT_EQ(Save("take", 2, firstTake), expected);
    EXPECT_EQ(Save("take", 0, firstTake), expected);
}

TEST_F(CastMemberExport, AFullCastHasNoFreeSlot) {
    marlowhost::CastLibrary& tiny = host.Movie().AddCastLibrary("Tiny", 1);
    tiny.PutMember(1, "Bitmap", "only");
    EXPECT_EQ(Save("take", 2, firstTake),
              "Error :No free member slots (" + std::to_string(marlowhost::kFullCastAnswer) + ")");
    EXPECT_EQ(tiny.MemberNamed("take"), nullptr);
}

TEST_F(CastMemberExport, WithoutAnActiveMovieNothingIsCreated) {
    host.Player().SetMovieOpen(false);
    EXPECT_EQ(Save("take", 1, firstTake),
              "Error :could not get access to active movie (" + std::to_string(marlowhost::kNoActiveMovie) + ")");
    host.Player().SetMovieOpen(true);
    EXPECT_EQ(host.Movie().Cast(1)->MemberCount(), 0);
}

TEST_F(CastMemberExport, WithoutTheUtilityServiceTheMemberGetsNoMedia) {
    host.Services().Withhold(IID_IMoaDrUtils);
    EXPECT_EQ(Save("take", 1, firstTake), "Error :Could not obtain Diretor utils interface (0)");
    marlowhost::CastMember* member = host.Movie().Cast(1)->MemberNamed("take");
    ASSERT_NE(member, nullptr);
    EXPECT_FALSE(member->HasMedia());
}

// The host may refuse the media: the member keeps what it had, and the
// caller learns of it with the host's code.
TEST_F(CastMemberExport, MediaTheHostRefusesIsAFailureAndTheMemberKeepsItsSound) {
    ASSERT_EQ(Save("take", 1, firstTake), "Ok");
    marlowhost::CastMember& member = *host.Movie().Cast(1)->MemberNamed("take");
    member.RefuseMedia(kMoaDrErr_MediaFormatNotSupported);
    EXPECT_EQ(Save("take", 1, secondTake),
              "Error :Could not set media of member (" + std::to_string(kMoaDrErr_MediaFormatNotSupported) + ")");
    EXPECT_EQ(member.Media(), firstTake);

    host.Utilities().RefuseMediaInfo(kMoaErr_OutOfMem);
    EXPECT_EQ(Save("fresh", 1, secondTake),
              "Error :Could not make media descriptor (" + std::to_string(kMoaErr_OutOfMem) + ")");
    marlowhost::CastMember* fresh = host.Movie().Cast(1)->MemberNamed("fresh");
    ASSERT_NE(fresh, nullptr);
    EXPECT_FALSE(fresh->HasMedia());
    EXPECT_EQ(fresh->SetMediaCalls(), 0);
}

}  // namespace
