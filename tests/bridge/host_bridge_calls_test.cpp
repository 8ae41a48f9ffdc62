#include "bridge_test_fixture.h"

#include "host_choices.h"

namespace {

using HostBridgeMovieHandler = BridgeTest;

TEST_F(HostBridgeMovieHandler, CallsInsideTheContextAndReleasesTheHandlersResult) {
    host.Handlers().Define("Marlowtide_XtraFlow", [&](const std::vector<MoaMmValue>&) {
        return host.Values().String("handled");
    });
    std::vector<MoaMmValue> args = {host.Values().String("m_close"), host.Values().String("Enter")};
    const int before = host.Values().LiveValues();

    EXPECT_EQ(bridge.CallMovieHandler("Marlowtide_XtraFlow", 2, args.data()), kMoaErr_NoErr);

    ASSERT_EQ(host.Handlers().Calls().size(), 1u);
    const marlowhost::HandlerCall& call = host.Handlers().Calls()[0];
    EXPECT_TRUE(call.insideContext);
    EXPECT_EQ(call.arguments, (std::vector<std::string>{"\"m_close\"", "\"Enter\""}));
    EXPECT_EQ(host.Context().Pushes(), 1);
    EXPECT_EQ(host.Context().Depth(), 0);
    // The arguments stay the caller's; the result is gone.
    EXPECT_EQ(host.Values().LiveValues(), before);
    ReleaseAll(args);
}

TEST_F(HostBridgeMovieHandler, AMissingHandlerIsNoError) {
    EXPECT_EQ(bridge.CallMovieHandler("Marlowtide_InternalError", 0, nullptr), kMoaErr_NoErr);
    EXPECT_EQ(host.Handlers().MissingCalls(), std::vector<std::string>{"Marlowtide_InternalError"});
    EXPECT_EQ(host.Context().Depth(), 0);
    EXPECT_EQ(host.Context().UnbalancedPops(), 0);
}

// `bridge` was made while movie 1 played; each report goes to the movie
// that plays when it is made, inside that movie's context, or nowhere.
TEST_F(HostBridgeMovieHandler, ReportsGoToTheMovieThatPlaysWhenTheyAreMade) {
    marlowhost::MovieContext& first = host.Context();
    int heldDuringCall = 0;
    bool goToFirst = false;
    host.Handlers().Define("Marlowtide_XtraFlow", [&](const std::vector<MoaMmValue>&) {
        heldDuringCall = host.Movie().References() + host.Context().References();
        if (goToFirst) host.GoToMovie(1);
        return marlowhost::ValueStore::Void();
    });
    host.Player().SetMovieOpen(false);
    HostBridge madeWithoutMovie(host.Callback(), false);
    const int referencesBefore = host.OutstandingServiceReferences();
    EXPECT_EQ(madeWithoutMovie.CallMovieHandler("Marlowtide_XtraFlow", 0, nullptr), kMoaErr_NoErr);
    EXPECT_TRUE(host.Handlers().Calls().empty());
    host.Player().SetMovieOpen(true);

    host.GoToMovie(2);
    marlowhost::MovieContext& second = host.Context();
    for (HostBridge* reporter : {&bridge, &madeWithoutMovie}) {
        EXPECT_EQ(reporter->CallMovieHandler("Marlowtide_XtraFlow", 0, nullptr), kMoaErr_NoErr);
        EXPECT_EQ(heldDuringCall, 2);
    }
    ASSERT_EQ(host.Handlers().Calls().size(), 2u);
    EXPECT_TRUE(host.Handlers().Calls()[0].insideContext);
    EXPECT_TRUE(host.Handlers().Calls()[1].insideContext);
    EXPECT_EQ(first.Pushes(), 0);
    EXPECT_EQ(second.Pushes(), 2);

    // A handler that goes to another movie: the context pushed is the one popped.
    goToFirst = true;
    bridge.CallMovieHandler("Marlowtide_XtraFlow", 0, nullptr);
    EXPECT_EQ(second.Depth(), 0);
    EXPECT_EQ(first.UnbalancedPops(), 0);
    EXPECT_EQ(host.OutstandingServiceReferences(), referencesBefore);
}

using HostBridgeMessageBox = BridgeTest;

TEST_F(HostBridgeMessageBox, IsOwnedByTheParentWindowWithOneOkButton) {
    bridge.status.SetFailure("kept", 3);
    const StatusRecord answer = bridge.ShowMessage("Marlowtide:Error", "The paramter to this should be a string\n");
    ASSERT_EQ(marlowsim::MessageBoxes().size(), 1u);
    const marlowsim::MessageBoxRecord& box = marlowsim::MessageBoxes()[0];
    EXPECT_EQ(static_cast<void*>(box.owner), marlowhost::kDefaultParentWindow);
    EXPECT_EQ(box.caption, "Marlowtide:Error");
    EXPECT_EQ(box.body, "The paramter to this should be a string\n");
    EXPECT_EQ(box.type, 0u);
    // The bridge's status passes through unchanged.
    EXPECT_TRUE(answer.failed);
    EXPECT_STREQ(answer.message, "kept");
}

}  // namespace
