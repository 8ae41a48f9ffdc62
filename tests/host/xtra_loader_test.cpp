// The loader reaches a library only through its exports.
#include <gtest/gtest.h>

#include <filesystem>

#include "xtra_instance.h"
#include "xtra_loader.h"

namespace {

using marlowhost::LoadFailure;
using marlowhost::TestHost;
using marlowhost::XtraLoader;

TEST(XtraLoader, AMissingLibraryIsReportedAsSuch) {
    TestHost host;
    XtraLoader loader(host);
    EXPECT_FALSE(loader.Load("/nonexistent/Marlowtide.so"));
    EXPECT_EQ(loader.Failure(), LoadFailure::LibraryNotFound);
    EXPECT_NE(loader.FailureText().find("library not found"), std::string::npos);
    EXPECT_FALSE(loader.IsLoaded());
    MoaMmValue object = {1, 1};
    EXPECT_NE(loader.NewObject({}, &object), kMoaErr_NoErr);
    EXPECT_EQ(host.Values().TypeOf(object), kMoaMmValueType_Void);
}

TEST(XtraLoader, ALibraryWithoutTheExportsIsRefused) {
    TestHost host;
    XtraLoader loader(host);
    // Any shared library that is no Xtra: the C library.
    EXPECT_FALSE(loader.Load("libc.so.6"));
    EXPECT_EQ(loader.Failure(), LoadFailure::ExportMissing);
    EXPECT_EQ(loader.FailureText(), "export missing: DllGetClassInfo");
}

TEST(XtraLoader, TheBuiltXtraRegistersAndLivesThroughNewAndForget) {
    if (!std::filesystem::exists(MARLOWTIDE_XTRA_PATH)) {
        GTEST_SKIP() << "not built: " << MARLOWTIDE_XTRA_PATH;
    }
    TestHost host;
    XtraLoader loader(host);
    if (!loader.Load(MARLOWTIDE_XTRA_PATH) && loader.Failure() == LoadFailure::ExportMissing) {
        GTEST_SKIP() << loader.FailureText();
    }
    ASSERT_TRUE(loader.IsLoaded()) << loader.FailureText();
    EXPECT_EQ(loader.XtraName(), "Marlowtide");
    EXPECT_TRUE(loader.SafeForShockwave());
    EXPECT_EQ(loader.Methods().Count(), 28);
    EXPECT_EQ(loader.Methods().Find("forget"), 1);
    EXPECT_EQ(loader.Methods().Find("PrivateInstance"), 27);
    EXPECT_EQ(host.Memory().LiveBlocks(), 0);
    const int referencesBeforeNew = host.OutstandingServiceReferences();

    {
        marlowhost::XtraInstance object(loader);
        ASSERT_EQ(object.NewResult(), kMoaErr_NoErr);
        EXPECT_EQ(host.Values().LingoText(object.Value()), "<Marlowtide object>");
        EXPECT_EQ(host.Notifications().RegisteredClients(NID_DrNIdle), 1);
        EXPECT_EQ(host.Idle(), 1);
        EXPECT_EQ(object.CallText("IsAudioOpen"), "0");
        EXPECT_EQ(object.Forget(), kMoaErr_NoErr);
        EXPECT_EQ(host.Notifications().RegisteredClients(), 0);
    }
    EXPECT_EQ(host.Objects().LiveObjects(), 0);
    EXPECT_EQ(host.Values().LiveValues(), 0);
    EXPECT_EQ(host.OutstandingServiceReferences(), referencesBeforeNew);
    EXPECT_EQ(loader.CanUnloadNow(), kMoaErr_NoErr);
    EXPECT_TRUE(loader.Unload());
}

}  // namespace
