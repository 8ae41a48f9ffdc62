// GetInputLevel and the process-wide first-failure report.
#include "script/method_number.h"
#include "script_test_support.h"

namespace {

class LevelMethodTest : public ScriptTest {
protected:
    LevelMethodTest() { InstallFakeDevice(); }
};

TEST_F(LevelMethodTest, GetInputLevelAnswersALinearListOfOnePropertyList) {
    fake_->levelLeft = 1200;
    fake_->levelRight = 34;
    const int liveBefore = Values().LiveValues();
    MoaMmValue levels = Invoke(kMethodGetInputLevel);
    ASSERT_EQ(Values().TypeOf(levels), kMoaMmValueType_List);
    ASSERT_EQ(Values().Count(levels), 1);
    const MoaMmValue properties = Values().At(levels, 1);
    ASSERT_EQ(Values().TypeOf(properties), kMoaMmValueType_PropList);
    ASSERT_EQ(Values().Count(properties), 3);
    EXPECT_EQ(Values().PropertyName(properties, 1), "Left");
    EXPECT_EQ(Values().PropertyName(properties, 2), "Right");
    EXPECT_EQ(Values().PropertyName(properties, 3), "Error");
    EXPECT_EQ(Values().IntOf(Values().Property(properties, "Left")), 1200);
    EXPECT_EQ(Values().IntOf(Values().Property(properties, "Right")), 34);
    EXPECT_EQ(Values().StringOf(Values().Property(properties, "Error")), "Ok");
    Values().Release(&levels);
    EXPECT_EQ(Values().LiveValues(), liveBefore);
    EXPECT_TRUE(script_.reports.empty());
}

// The only test of this program whose GetInputLevel fails: the flag it
// checks is the process's, set once and never cleared.
TEST_F(LevelMethodTest, OnlyTheFirstFailingGetInputLevelOfTheProcessReports) {
    fake_->Fail("GetLevel", "GSIL not active");
    EXPECT_EQ(CallText(kMethodGetInputLevel), "\"Error :GSIL not active (-1)\"");
    ASSERT_EQ(script_.reports.size(), 1u);
    EXPECT_EQ(script_.reports[0].description, "Error :GSIL not active (-1)");
    EXPECT_EQ(script_.reports[0].help, "You must first StartGSIL");
    EXPECT_EQ(script_.reports[0].debug, "Call:GetInputLevel");

    EXPECT_EQ(CallText(kMethodGetInputLevel), "\"Error :GSIL not active (-1)\"");
    EXPECT_EQ(script_.reports.size(), 1u);

    // Another instance of the same process stays silent too.
    TestObject other(host_);
    other.InstallFakeDevice().Fail("GetLevel", "GSIL not active");
    EXPECT_EQ(other.CallText(kMethodGetInputLevel), "\"Error :GSIL not active (-1)\"");
    EXPECT_TRUE(other.script.reports.empty());
}

}  // namespace
