// The active movie, its cast libraries and members.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/windows_api.h"
#include "test_host.h"

namespace {

using marlowhost::TestHost;

class MovieCastTest : public ::testing::Test {
protected:
    IMoaDrCast* CastNumber(MoaDrCastIndex number) {
        IMoaDrCast* cast = nullptr;
        EXPECT_EQ(host.Movie().GetNthCast(number, &cast), kMoaErr_NoErr);
        return cast;
    }
    MoaMmSymbol Symbol(const char* name) { return host.Store().Intern(name); }

    TestHost host;
};

TEST_F(MovieCastTest, TheActiveMovieIsCountedAndCanBeAbsent) {
    IMoaDrMovie* movie = nullptr;
    ASSERT_EQ(host.Player().GetActiveMovie(&movie), kMoaErr_NoErr);
    EXPECT_EQ(movie, static_cast<IMoaDrMovie*>(&host.Movie()));
    movie->Release();
    host.Player().SetMovieOpen(false);
    movie = reinterpret_cast<IMoaDrMovie*>(1);
    EXPECT_NE(host.Player().GetActiveMovie(&movie), kMoaErr_NoErr);
    EXPECT_EQ(movie, nullptr);
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
}

TEST_F(MovieCastTest, CastLibrariesCountFromOne) {
    host.Movie().AddCastLibrary("Takes", 4);
    MoaLong count = 0;
    host.Movie().GetCastCount(&count);
    EXPECT_EQ(count, 2);
    IMoaDrCast* second = CastNumber(2);
    EXPECT_EQ(second, static_cast<IMoaDrCast*>(host.Movie().Cast(2)));
    second->Release();
    IMoaDrCast* none = reinterpret_cast<IMoaDrCast*>(1);
    EXPECT_EQ(host.Movie().GetNthCast(0, &none), kMoaDrErr_CastNotFound);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(host.Movie().GetNthCast(3, &none), kMoaDrErr_CastNotFound);
}

TEST_F(MovieCastTest, MembersAreFoundByNameWithoutCase) {
    marlowhost::CastLibrary& cast = *host.Movie().Cast(1);
    cast.PutMember(3, "Sound", "Take One");
    MoaDrMemberIndex index = -1;
    char name[] = "take one";
    EXPECT_EQ(cast.GetMemberIndexFromName(name, &index), kMoaErr_NoErr);
    EXPECT_EQ(index, 3);
    char other[] = "take two";
    EXPECT_EQ(cast.GetMemberIndexFromName(other, &index), marlowhost::kNoMemberOfThatName);
    EXPECT_EQ(index, 0);
}

TEST_F(MovieCastTest, NewMembersTakeTheFirstFreeSlotUntilTheCastIsFull) {
    marlowhost::CastLibrary& cast = host.Movie().AddCastLibrary("Small", 2);
    cast.PutMember(1, "Bitmap", "logo");
    MoaDrMemberIndex free = 0;
    ASSERT_EQ(cast.GetFirstFreeMemberIndex(&free), kMoaErr_NoErr);
    EXPECT_EQ(free, 2);
    ASSERT_EQ(cast.CreateCastMem(free, Symbol("Sound")), kMoaErr_NoErr);
    EXPECT_EQ(cast.Member(2)->Type(), "Sound");
    EXPECT_EQ(cast.Member(2)->Name(), "");
    EXPECT_EQ(cast.GetFirstFreeMemberIndex(&free), marlowhost::kFullCastAnswer);
    EXPECT_EQ(free, 0);
    EXPECT_NE(cast.CreateCastMem(3, Symbol("Sound")), kMoaErr_NoErr);
}

TEST_F(MovieCastTest, CreatingInATakenSlotReplacesItsMemberSafely) {
    marlowhost::CastLibrary& cast = *host.Movie().Cast(1);
    cast.PutMember(1, "Bitmap", "old");
    IMoaDrCastMem* held = nullptr;
    ASSERT_EQ(cast.GetCastMem(1, &held), kMoaErr_NoErr);
    ASSERT_EQ(cast.CreateCastMem(1, Symbol("Sound")), kMoaErr_NoErr);
    EXPECT_EQ(cast.Member(1)->Type(), "Sound");
    EXPECT_EQ(cast.MemberNamed("old"), nullptr);
    held->Release();  // the replaced member is still there to release
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
    IMoaDrCastMem* empty = reinterpret_cast<IMoaDrCastMem*>(1);
    EXPECT_EQ(cast.GetCastMem(2, &empty), kMoaDrErr_CastMemNotFound);
    EXPECT_EQ(empty, nullptr);
}

TEST_F(MovieCastTest, TheNamePropertyTakesAString) {
    marlowhost::CastMember& member = host.Movie().Cast(1)->PutMember(1, "Sound", "");
    MoaMmValue name = host.Values().String("take");
    EXPECT_EQ(member.SetProp(Symbol("NAME"), &name), kMoaErr_NoErr);
    EXPECT_EQ(member.Name(), "take");
    MoaMmValue number = host.Values().Int(1);
    EXPECT_EQ(member.SetProp(Symbol("name"), &number), kMoaMmErr_StringExpected);
    EXPECT_EQ(member.Name(), "take");
    EXPECT_EQ(host.Store().ReferencesOf(name), 1);
}

TEST_F(MovieCastTest, SetMediaCopiesTheBlockAndLeavesItWithTheCaller) {
    marlowhost::CastMember& member = host.Movie().Cast(1)->PutMember(1, "Sound", "take");
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(block), "RIFF", 4);
    GlobalUnlock(block);

    MoaDrMediaInfo info = {};
    ASSERT_EQ(host.Utilities().NewMediaInfo(Symbol("Sound"), Symbol("winWAVE"), block, 0, nullptr, &info),
              kMoaErr_NoErr);
    EXPECT_EQ(info.mediaData, block);
    ASSERT_EQ(member.SetMedia(&info), kMoaErr_NoErr);

    std::memcpy(GlobalLock(block), "XXXX", 4);  // still the caller's to change and free
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(std::string(member.Media().begin(), member.Media().end()), "RIFF");
    EXPECT_EQ(member.MediaFormat(), "winWAVE");
    EXPECT_EQ(member.MediaLabel(), "Sound");
}

TEST_F(MovieCastTest, TheMovieGivesItsHandlerContext) {
    void* context = nullptr;
    ASSERT_EQ(host.Movie().QueryInterface(&IID_IMoaDrMovieContext, &context), kMoaErr_NoErr);
    auto* movieContext = static_cast<IMoaDrMovieContext*>(context);
    DrContextState state = {};
    movieContext->PushXtraContext(&state);
    EXPECT_EQ(host.Context().Depth(), 1);
    movieContext->PopXtraContext(&state);
    EXPECT_NE(movieContext->PopXtraContext(&state), kMoaErr_NoErr);
    EXPECT_EQ(host.Context().UnbalancedPops(), 1);
    movieContext->Release();
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
}

}  // namespace
