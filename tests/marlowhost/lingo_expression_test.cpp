// Operators, values and built-ins as `put` shows them.
#include <gtest/gtest.h>

#include "fake_environment.h"

namespace {

using marlowhost_test::Show;

TEST(LingoExpressions, PrecedenceFollowsLingo) {
    EXPECT_EQ(Show("1 + 2 * 3"), "-- 7");
    EXPECT_EQ(Show("(1 + 2) * 3"), "-- 9");
    EXPECT_EQ(Show("-2 * 3"), "-- -6");
    EXPECT_EQ(Show("2 - -3"), "-- 5");
    EXPECT_EQ(Show("10 - 4 - 3"), "-- 3");
    // & binds more loosely than arithmetic, more tightly than comparison.
    EXPECT_EQ(Show("1 + 2 & 3"), "-- \"33\"");
    EXPECT_EQ(Show("\"a\" & 1 = \"A1\""), "-- 1");
    // not binds tightly, as in Lingo: (not 0) = 1.
    EXPECT_EQ(Show("not 0 = 1"), "-- 1");
    EXPECT_EQ(Show("1 = 1 and 2 > 3 or 1"), "-- 1");
    EXPECT_EQ(Show("1 or 0 and 0"), "-- 1");
}

TEST(LingoExpressions, IntegerDivisionAndModTruncateTowardZero) {
    EXPECT_EQ(Show("7 / 2"), "-- 3");
    EXPECT_EQ(Show("-7 / 2"), "-- -3");
    EXPECT_EQ(Show("7.0 / 2"), "-- 3.5000");
    EXPECT_EQ(Show("7 mod 3"), "-- 1");
    EXPECT_EQ(Show("-7 mod 3"), "-- -1");
    EXPECT_EQ(Show("7 MOD -3"), "-- 1");
    EXPECT_EQ(Show("2147483647 + 1"), "-- -2147483648");
    EXPECT_EQ(Show("-2147483647 - 1 / -1"), "-- -2147483646");
}

TEST(LingoExpressions, FloatsShowFourDecimals) {
    EXPECT_EQ(Show("11.025"), "-- 11.0250");
    EXPECT_EQ(Show("1.5 + 1"), "-- 2.5000");
    EXPECT_EQ(Show(".5"), "-- 0.5000");
    EXPECT_EQ(Show("1 = 1.0"), "-- 1");
    // Too large for an integer: a float, as Lingo reads it.
    EXPECT_EQ(Show("3000000000"), "-- 3000000000.0000");
}

TEST(LingoExpressions, StringsCompareWithoutCase) {
    EXPECT_EQ(Show("\"Ok\" = \"OK\""), "-- 1");
    EXPECT_EQ(Show("\"abc\" < \"ABD\""), "-- 1");
    EXPECT_EQ(Show("\"b\" >= \"A\""), "-- 1");
    EXPECT_EQ(Show("\"ab\" < \"abc\""), "-- 1");
    EXPECT_EQ(Show("\"Ok\" <> \"ok\""), "-- 0");
    EXPECT_EQ(Show("#Left = #LEFT"), "-- 1");
    EXPECT_EQ(Show("\"5\" = 5"), "-- 0");
}

TEST(LingoExpressions, ConcatenationUsesStringForms) {
    EXPECT_EQ(Show("\"a\" & \"b\""), "-- \"ab\"");
    EXPECT_EQ(Show("\"a\" && \"b\""), "-- \"a b\"");
    EXPECT_EQ(Show("#sym & 1.5 & VOID"), "-- \"sym1.5000\"");
    EXPECT_EQ(Show("\"list: \" & [1, \"x\"]"), "-- \"list: [1, \"x\"]\"");
    EXPECT_EQ(Show("QUOTE & EMPTY & QUOTE"), "-- \"\"\"\"");
}

TEST(LingoExpressions, ConstantsAndDisplayForms) {
    EXPECT_EQ(Show("VOID"), "-- <Void>");
    EXPECT_EQ(Show("TRUE && FALSE"), "-- \"1 0\"");
    EXPECT_EQ(Show("[]"), "-- []");
    EXPECT_EQ(Show("[:]"), "-- [:]");
    EXPECT_EQ(Show("[1, [2, 3], \"a\", #b, VOID, 1.25]"), "-- [1, [2, 3], \"a\", #b, <Void>, 1.2500]");
    EXPECT_EQ(Show("[#Left: 0, #Right: 0, #Error: \"Ok\"]"), "-- [#Left: 0, #Right: 0, #Error: \"Ok\"]");
    EXPECT_EQ(Show("[\"k\": 1, 2: #two]"), "-- [\"k\": 1, 2: #two]");
    EXPECT_EQ(Show("xtra \"Marlowtide\""), "-- <Xtra \"Marlowtide\">");
    EXPECT_EQ(Show("new(xtra \"fake\")"), "-- <Fake object>");
}

TEST(LingoExpressions, ListsCountFromOne) {
    EXPECT_EQ(Show("[10, 20, 30][1]"), "-- 10");
    EXPECT_EQ(Show("getAt([10, 20, 30], 3)"), "-- 30");
    EXPECT_EQ(Show("count([10, 20, 30])"), "-- 3");
    EXPECT_EQ(Show("[[1, 2], [3, 4]][2][1]"), "-- 3");
    EXPECT_EQ(Show("getaProp([10], 2)"), "-- <Void>");
    EXPECT_EQ(Show("[1, 2] = [1, 2.0]"), "-- 1");
    EXPECT_EQ(Show("[1, 2] = [2, 1]"), "-- 0");
}

TEST(LingoExpressions, PropertyListsFindPropertiesWithoutCase) {
    EXPECT_EQ(Show("[#a: 1, #b: 2][#B]"), "-- 2");
    EXPECT_EQ(Show("[#a: 1, #b: 2][2]"), "-- 2");
    EXPECT_EQ(Show("getProp([#SampleRate: 11.025], #samplerate)"), "-- 11.0250");
    EXPECT_EQ(Show("getaProp([#a: 1], #missing)"), "-- <Void>");
    EXPECT_EQ(Show("count([#a: 1, #b: 2])"), "-- 2");
    EXPECT_EQ(Show("getAt([#a: 1, #b: 2], 1)"), "-- 1");
}

TEST(LingoExpressions, Conversions) {
    EXPECT_EQ(Show("string(5) & string(#Sym) & string(VOID)"), "-- \"5Sym\"");
    EXPECT_EQ(Show("string([1, \"a\"])"), "-- \"[1, \"a\"]\"");
    EXPECT_EQ(Show("integer(2.5)"), "-- 3");
    EXPECT_EQ(Show("integer(-2.5)"), "-- -3");
    EXPECT_EQ(Show("integer(\"42\")"), "-- 42");
    EXPECT_EQ(Show("integer(\"4x\")"), "-- <Void>");
    EXPECT_EQ(Show("integer(10000000000.0)"), "-- <Void>");
    EXPECT_EQ(Show("float(3)"), "-- 3.0000");
    EXPECT_EQ(Show("float(\"22.05\")"), "-- 22.0500");
    EXPECT_EQ(Show("voidP(VOID) & voidP(0)"), "-- \"10\"");
    EXPECT_EQ(Show("length(\"abc\") + length(EMPTY)"), "-- 3");
    EXPECT_EQ(Show("length(RETURN)"), "-- 1");
}

TEST(LingoExpressions, IlkNamesEveryKind) {
    EXPECT_EQ(Show("[ilk(1), ilk(1.0), ilk(\"\"), ilk(#a), ilk([]), ilk([:]), ilk(VOID)]"),
              "-- [#integer, #float, #string, #symbol, #list, #propList, #void]");
    EXPECT_EQ(Show("ilk(new(xtra \"Fake\"))"), "-- #instance");
    EXPECT_EQ(Show("ilk(xtra \"Fake\")"), "-- #xtra");
}

TEST(LingoExpressions, AndOrStopWhenTheResultIsKnown) {
    // The right side would fail if it were evaluated.
    EXPECT_EQ(Show("0 and undefinedHandler()"), "-- 0");
    EXPECT_EQ(Show("1 or undefinedHandler()"), "-- 1");
    EXPECT_EQ(Show("voidP(VOID) or 1 / 0"), "-- 1");
}

TEST(LingoExpressions, ListsAreSharedByReference) {
    EXPECT_EQ(marlowhost_test::RunScript("on startMovie\n a = [1]\n b = a\n add(b, 2)\n put a\nend"), "-- [1, 2]");
    EXPECT_EQ(marlowhost_test::RunScript("on startMovie\n p = [:]\n addProp(p, #x, 1)\n put p\nend"), "-- [#x: 1]");
}

TEST(LingoExpressions, ASelfHoldingListIsShownAndComparedWithoutEnd) {
    std::string shown = marlowhost_test::RunScript("on startMovie\n a = [1]\n add(a, a)\n put a = a\n put a\nend");
    EXPECT_EQ(shown.substr(0, 15), "-- 1\n-- [1, [1,");
    EXPECT_NE(shown.find("[...]"), std::string::npos);
}

}  // namespace
