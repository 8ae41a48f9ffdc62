// The allocator and the service provider of the object header.
#include <gtest/gtest.h>

#include "moa/imoa_dr_player.h"
#include "moa/imoa_mm_wnd_win.h"
#include "test_host.h"

namespace {

using marlowhost::TestHost;

TEST(HostAllocator, BlocksAreZeroedAndCounted) {
    TestHost host;
    IMoaCalloc* calloc = host.Calloc();
    auto* block = static_cast<unsigned char*>(calloc->NRAlloc(64));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 64; ++i) {
        ASSERT_EQ(block[i], 0) << i;
    }
    EXPECT_EQ(host.Memory().LiveBlocks(), 1);
    calloc->NRFree(block);
    EXPECT_EQ(host.Memory().LiveBlocks(), 0);
    calloc->NRFree(block);
    EXPECT_EQ(host.Memory().BadFrees(), 1);
}

TEST(HostAllocator, FailuresComeAsOrdered) {
    TestHost host;
    IMoaCalloc* calloc = host.Calloc();
    host.Memory().FailNext(2);
    EXPECT_EQ(calloc->NRAlloc(8), nullptr);
    EXPECT_EQ(calloc->NRAlloc(8), nullptr);
    void* third = calloc->NRAlloc(8);
    EXPECT_NE(third, nullptr);
    calloc->NRFree(third);

    host.Memory().FailAlways(true);
    EXPECT_EQ(calloc->NRAlloc(8), nullptr);
    EXPECT_EQ(calloc->NRAlloc(8), nullptr);
    host.Memory().FailAlways(false);
    void* again = calloc->NRAlloc(8);
    EXPECT_NE(again, nullptr);
    calloc->NRFree(again);
    EXPECT_EQ(host.Memory().RefusedAllocations(), 4);
    EXPECT_EQ(host.Memory().LiveBlocks(), 0);
}

TEST(HostCallback, GivesEachServiceCounted) {
    TestHost host;
    IMoaDrPlayer* player = nullptr;
    ASSERT_EQ(host.Callback()->QueryInterface(&IID_IMoaDrPlayer, reinterpret_cast<void**>(&player)), kMoaErr_NoErr);
    ASSERT_EQ(player, static_cast<IMoaDrPlayer*>(&host.Player()));
    EXPECT_EQ(host.OutstandingServiceReferences(), 1);
    player->Release();
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
    player->Release();
    EXPECT_EQ(host.ServiceOverReleases(), 1);
}

TEST(HostCallback, AWithheldOrUnknownServiceIsAbsent) {
    TestHost host;
    host.Services().Withhold(IID_IMoaMmWndWin);
    void* window = reinterpret_cast<void*>(1);
    EXPECT_EQ(host.Callback()->QueryInterface(&IID_IMoaMmWndWin, &window), kMoaErr_BadInterface);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(host.Services().RefusedQueries(IID_IMoaMmWndWin), 1);

    const MoaInterfaceID unknown = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(host.Callback()->QueryInterface(&unknown, &other), kMoaErr_BadInterface);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);

    host.Services().Withhold(IID_IMoaMmWndWin, false);
    ASSERT_EQ(host.Callback()->QueryInterface(&IID_IMoaMmWndWin, &window), kMoaErr_NoErr);
    static_cast<IMoaMmWndWin*>(window)->Release();
}

TEST(HostCallback, GetCacheIsTheRegistryAndWindowHandlesDiffer) {
    TestHost host;
    EXPECT_EQ(host.Callback()->MoaGetCache(), static_cast<IMoaCache*>(&host.Registry()));
    MoaMmHInst instance = nullptr;
    MoaMmHWnd window = nullptr;
    ASSERT_EQ(host.Window().WinGetParent(&instance, &window), kMoaErr_NoErr);
    EXPECT_NE(instance, nullptr);
    EXPECT_NE(window, nullptr);
    EXPECT_NE(instance, window);
}

}  // namespace
