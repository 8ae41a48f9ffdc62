// The host numbers methods from the registered text.
#include <gtest/gtest.h>

#include "method_table.h"

namespace {

using marlowhost::MethodTable;

const char* const kSample =
    "xtra Sample --(a banner) -- version 1\n"
    "-- a comment\n"
    "   new object me, *\n"
    "/  forget object me \n"
    "   --\n"
    "\n"
    "   Play object me -- with a comment\n"
    "\t-- a tabbed comment\n"
    "   Level object me, * -- optional\n"
    "/ + PrivateGlobal *\n"
    "+ Parent\n"
    "* GlobalOne\n"
    "/  PrivateInstance object me, *\n"
    "--\n";

TEST(MethodTable, DeclaringLinesAreNumberedFromZeroWhateverTheirMarks) {
    MethodTable table = MethodTable::FromRegistrationText(kSample);
    EXPECT_EQ(table.XtraName(), "Sample");
    ASSERT_EQ(table.Count(), 8);
    const char* expected[] = {"new", "forget", "Play", "Level", "PrivateGlobal", "Parent", "GlobalOne",
                              "PrivateInstance"};
    for (int i = 0; i < table.Count(); ++i) {
        EXPECT_EQ(table.At(i)->name, expected[i]) << i;
        EXPECT_EQ(table.At(i)->number, i);
    }
    EXPECT_EQ(table.At(1)->marks, "/");
    EXPECT_EQ(table.At(4)->marks, "/+");
    EXPECT_EQ(table.At(6)->marks, "*");
    EXPECT_EQ(table.At(8), nullptr);
}

TEST(MethodTable, NamesAreFoundWithoutCase) {
    MethodTable table = MethodTable::FromRegistrationText(kSample);
    EXPECT_EQ(table.Find("FORGET"), 1);
    EXPECT_EQ(table.Find("privateinstance"), 7);
    EXPECT_EQ(table.Find("object"), -1);
    EXPECT_EQ(table.Find("xtra"), -1);
}

TEST(MethodTable, ATextWithoutBannerNumbersFromItsFirstLine) {
    MethodTable table = MethodTable::FromRegistrationText("new object me\nforget object me");
    EXPECT_EQ(table.XtraName(), "");
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Find("forget"), 1);
}

}  // namespace
