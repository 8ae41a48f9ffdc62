// Handlers, variables, control flow, objects and the host built-ins.
#include <gtest/gtest.h>

#include "fake_environment.h"

namespace {

using marlowhost_test::FakeEnvironment;
using marlowhost_test::RunScript;

TEST(LingoStatements, KeywordsAndNamesIgnoreCase) {
    EXPECT_EQ(RunScript("ON STARTMOVIE\n  Put Twice(4)\nEND startmovie\non twice N\n  RETURN n * 2\nend"), "-- 8");
    EXPECT_EQ(RunScript("on startMovie\n  myVar = 1\n  put MYVAR\nend"), "-- 1");
}

TEST(LingoStatements, HandlersTakeParametersEitherWay) {
    const char* script =
        "on startMovie\n"
        "  put sum(1, 2)\n"
        "  put sum2(1)\n"
        "  show 5, \"x\"\n"
        "end\n"
        "on sum a, b\n  return a + b\nend sum\n"
        "on sum2(a, b)\n  return voidP(b)\nend\n"
        "on show a, b\n  put a && b\nend\n";
    EXPECT_EQ(RunScript(script), "-- 3\n-- 1\n-- \"5 x\"");
}

TEST(LingoStatements, HandlerWithoutReturnGivesVoidAndExitLeavesEarly) {
    EXPECT_EQ(RunScript("on startMovie\n put nothing()\n put early(1)\nend\n"
                        "on nothing\nend\n"
                        "on early x\n if x then return #early\n return #late\nend"),
              "-- <Void>\n-- #early");
    EXPECT_EQ(RunScript("on startMovie\n put 1\n exit\n put 2\nend"), "-- 1");
}

TEST(LingoStatements, SetAndAssignment) {
    EXPECT_EQ(RunScript("on startMovie\n set a = 1\n set b to a + 1\n c = b * 10\n put [a, b, c]\nend"), "-- [1, 2, 20]");
}

TEST(LingoStatements, IfElseIfChains) {
    const char* script =
        "on startMovie\n"
        "  repeat with i = 1 to 4\n"
        "    if i = 1 then\n      put \"one\"\n"
        "    else if i = 2 then\n      put \"two\"\n"
        "    else if i = 3 then\n      put \"three\"\n"
        "    else\n      put \"many\"\n"
        "    end if\n"
        "  end repeat\n"
        "end\n";
    EXPECT_EQ(RunScript(script), "-- \"one\"\n-- \"two\"\n-- \"three\"\n-- \"many\"");
}

TEST(LingoStatements, OneLineIf) {
    EXPECT_EQ(RunScript("on startMovie\n if 1 then put \"yes\"\n if 0 then put \"no\"\n"
                        " if 0 then put 1 else put 2\n if 1 then if 0 then put 3\nend"),
              "-- \"yes\"\n-- 2");
}

TEST(LingoStatements, RepeatForms) {
    EXPECT_EQ(RunScript("on startMovie\n repeat with i = 3 down to 1\n put i\n end repeat\nend"), "-- 3\n-- 2\n-- 1");
    EXPECT_EQ(RunScript("on startMovie\n repeat with i = 2 to 1\n put i\n end repeat\n put #done\nend"), "-- #done");
    EXPECT_EQ(RunScript("on startMovie\n n = 0\n repeat while n < 3\n n = n + 1\n end repeat\n put n\nend"), "-- 3");
    EXPECT_EQ(RunScript("on startMovie\n repeat with i = 1 to 10\n if i = 3 then exit repeat\n"
                        " if i mod 2 then next repeat\n put i\n end repeat\nend"),
              "-- 2");
    // The body may move the counter on, as in Lingo.
    EXPECT_EQ(RunScript("on startMovie\n repeat with i = 1 to 6\n put i\n i = i + 2\n end repeat\nend"), "-- 1\n-- 4");
}

TEST(LingoStatements, ReturnInsideALoopLeavesTheHandler) {
    EXPECT_EQ(RunScript("on startMovie\n put find(7)\nend\n"
                        "on find x\n repeat with i = 1 to 10\n if i = x then return i * 100\n end repeat\nend"),
              "-- 700");
}

TEST(LingoStatements, GlobalsAreSharedOnlyWhereDeclared) {
    const char* script =
        "global gCount\n"
        "on startMovie\n  gCount = 1\n  bump\n  bump\n  put gCount\n  put readLocal()\nend\n"
        "on bump\n  gCount = gCount + 1\nend\n"
        "on readLocal\n  global gOther\n  return voidP(gOther)\nend\n";
    EXPECT_EQ(RunScript(script), "-- 3\n-- 1");
    EXPECT_EQ(RunScript("on startMovie\n global g\n g = 5\n put other()\nend\non other\n global g\n return g\nend"), "-- 5");
}

TEST(LingoStatements, LinesContinueAfterABackslash) {
    EXPECT_EQ(RunScript("on startMovie\n put [1, \\\n 2]\n put x()\nend\non x\n return #line5\nend"),
              "-- [1, 2]\n-- #line5");
}

TEST(LingoStatements, MethodsAreCalledBothWays) {
    EXPECT_EQ(RunScript("on startMovie\n o = new(xtra \"Fake\")\n put o.Ping()\n put ping(o)\n"
                        " put o.echo(1, 2)\n put Echo(o, 1)\nend"),
              "-- \"pong\"\n-- \"pong\"\n-- 3\n-- 2");
}

TEST(LingoStatements, TheLastReferenceReleasesTheObjectAtTheNextStatement) {
    FakeEnvironment host;
    RunScript("on startMovie\n o = new(xtra \"Fake\")\n p = o\n o = 0\n put 1\n p = VOID\n put 2\nend", host);
    EXPECT_EQ(host.made, 1);
    EXPECT_EQ(host.released, 1);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"-- 1", "-- 2"}));
}

TEST(LingoStatements, ObjectsInLocalsGoWhenTheHandlerReturns) {
    FakeEnvironment host;
    RunScript("on startMovie\n make\n put 1\nend\non make\n o = new(xtra \"Fake\")\nend", host);
    EXPECT_EQ(host.released, 1);
}

TEST(LingoStatements, IdleAdvancesTheClockInTicks) {
    FakeEnvironment host;
    EXPECT_EQ(RunScript("on startMovie\n t = the milliseconds\n idle(40)\n put the milliseconds - t\n idle(0)\nend", host),
              "-- 40");
    EXPECT_EQ(host.ticks, 4);  // 16 + 16 + 8, and one for idle(0)
}

TEST(LingoStatements, MeterAndMemberInfoReachTheHost) {
    EXPECT_EQ(RunScript("on startMovie\n meter(10, 20.4)\n put memberInfo(\"take\")\n put memberInfo(\"take\", 2)\nend"),
              "meter 10 20\n-- <Void>\n-- <Void>");
}

}  // namespace
