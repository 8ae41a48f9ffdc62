#include <fstream>
#include <sstream>

#include "bridge_test_fixture.h"
#include "host/property_list_builder.h"

namespace {

using PropertyListBuilderTest = BridgeTest;

TEST_F(PropertyListBuilderTest, WithoutPropertiesTheTargetIsAnEmptyLinearList) {
    const int references = host.OutstandingServiceReferences();
    MoaMmValue target = marlowhost::ValueStore::Void();
    { PropertyListBuilder builder(host.Callback(), &target); }
    EXPECT_EQ(host.Values().TypeOf(target), kMoaMmValueType_List);
    EXPECT_EQ(host.Values().Count(target), 0);
    // The builder's own bridge gave its services back.
    EXPECT_EQ(host.OutstandingServiceReferences(), references);
    host.Values().Release(&target);
}

TEST_F(PropertyListBuilderTest, TheTargetGetsOnePropertyListInOrderAndNothingLeaks) {
    const int before = host.Values().LiveValues();
    MoaMmValue target = marlowhost::ValueStore::Void();
    {
        PropertyListBuilder builder(host.Callback(), &target);
        EXPECT_STREQ(builder.AddInteger("Left", 12).message, "Ok");
        EXPECT_STREQ(builder.AddInteger("Right", 7).message, "Ok");
        EXPECT_STREQ(builder.AddText("Error", "Ok").message, "Ok");
    }
    EXPECT_EQ(host.Values().LingoText(target), "[[#Left: 12, #Right: 7, #Error: \"Ok\"]]");
    host.Values().Release(&target);
    EXPECT_EQ(host.Values().LiveValues(), before);
    EXPECT_EQ(host.Values().BadUses(), 0);
}

TEST_F(PropertyListBuilderTest, LeavesAnOpenTraceLogOpenAndIntact) {
    const std::string path = ::testing::TempDir() + "builder_log.txt";
    bridge.SetLogPath(path.c_str());
    bridge.Trace("before", "<*>");
    MoaMmValue target = marlowhost::ValueStore::Void();
    {
        PropertyListBuilder builder(host.Callback(), &target);
        builder.AddInteger("Left", 1);
    }
    EXPECT_TRUE(TraceLog::Instance().IsOpen());
    bridge.Trace("after", "<*>");
    bridge.CloseLog();
    std::ifstream file(path);
    std::stringstream contents;
    contents << file.rdbuf();
    EXPECT_NE(contents.str().find("<*>:before\n"), std::string::npos);
    EXPECT_NE(contents.str().find("<*>:after\n"), std::string::npos);
    host.Values().Release(&target);
}

}  // namespace
