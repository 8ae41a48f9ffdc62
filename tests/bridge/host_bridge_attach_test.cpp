#include <gtest/gtest.h>

#include "host/host_bridge.h"
#include "host_choices.h"
#include "moa/imoa_dr_movie_context.h"
#include "test_host.h"

namespace {

TEST(HostBridgeAttach, TakesEveryServiceByItsIdAndDetachGivesAllBack) {
    marlowhost::TestHost host;
    {
        HostBridge bridge(host.Callback());
        EXPECT_NE(bridge.ValueService(), nullptr);
        EXPECT_NE(bridge.ListService(), nullptr);
        EXPECT_NE(bridge.NotificationService(), nullptr);
        EXPECT_EQ(bridge.HostCallback(), host.Callback());
        // The second output of WinGetParent is the window; the first the instance.
        EXPECT_EQ(bridge.InstanceHandle(), marlowhost::kDefaultInstanceHandle);
        EXPECT_EQ(bridge.ParentWindow(), marlowhost::kDefaultParentWindow);
        EXPECT_EQ(host.Services().Queries(IID_IMoaMmWndWin), 1);
        EXPECT_GT(host.OutstandingServiceReferences(), 0);

        const StatusRecord detached = bridge.Detach();
        EXPECT_FALSE(detached.failed);
        EXPECT_EQ(host.OutstandingServiceReferences(), 0);
        EXPECT_EQ(bridge.ValueService(), nullptr);
        // forget detaches and then destroys: the second Detach must release nothing.
        bridge.Detach();
    }
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
    EXPECT_EQ(host.ServiceOverReleases(), 0);
}

TEST(HostBridgeAttach, DestructionReleasesWithoutAnExplicitDetach) {
    marlowhost::TestHost host;
    { HostBridge bridge(host.Callback()); }
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
    EXPECT_EQ(host.ServiceOverReleases(), 0);
}

TEST(HostBridgeAttach, WithheldServicesStayNone) {
    marlowhost::TestHost host;
    host.Services().Withhold(IID_IMoaMmWndWin);
    host.Services().Withhold(IID_IMoaNotification);
    host.Services().Withhold(IID_IMoaMmList);
    {
        HostBridge bridge(host.Callback());
        EXPECT_EQ(bridge.InstanceHandle(), nullptr);
        EXPECT_EQ(bridge.ParentWindow(), nullptr);
        EXPECT_EQ(bridge.NotificationService(), nullptr);
        EXPECT_EQ(bridge.ListService(), nullptr);
        EXPECT_NE(bridge.ValueService(), nullptr);
        EXPECT_EQ(host.Services().RefusedQueries(IID_IMoaMmWndWin), 1);
    }
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
    EXPECT_EQ(host.ServiceOverReleases(), 0);
}

TEST(HostBridgeAttach, WithoutPlayerOrContextMovieHandlersAreSkippedOrCalledPlainly) {
    marlowhost::TestHost host;
    int calls = 0;
    host.Handlers().Define("Marlowtide_XtraFlow", [&](const std::vector<MoaMmValue>&) {
        ++calls;
        return marlowhost::ValueStore::Void();
    });

    host.Services().Withhold(IID_IMoaDrPlayer);
    {
        HostBridge bridge(host.Callback());
        EXPECT_NE(bridge.CallMovieHandler("Marlowtide_XtraFlow", 0, nullptr), kMoaErr_NoErr);
    }
    EXPECT_EQ(calls, 0);
    host.Services().Withhold(IID_IMoaDrPlayer, false);

    host.Movie().WithholdContext(true);
    {
        HostBridge bridge(host.Callback());
        EXPECT_EQ(bridge.CallMovieHandler("Marlowtide_XtraFlow", 0, nullptr), kMoaErr_NoErr);
    }
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(host.Context().Pushes(), 0);
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
}

TEST(HostBridgeAttach, NoHostCallbackMeansNoServicesAndAHarmlessTeardown) {
    HostBridge bridge(nullptr);
    EXPECT_EQ(bridge.ValueService(), nullptr);
    EXPECT_EQ(bridge.ParentWindow(), nullptr);
    EXPECT_FALSE(bridge.Detach().failed);
}

TEST(HostBridgeAttach, ANewBridgeLogsToTheDefaultPath) {
    HostBridge bridge(nullptr);
    EXPECT_STREQ(bridge.LogPath(), "c:\\xtralog.txt");
}

}  // namespace
