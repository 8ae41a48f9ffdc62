// Script errors: each names its line, and the limits end runaway scripts.
#include <gtest/gtest.h>

#include "fake_environment.h"

namespace {

using marlowhost_test::FakeEnvironment;
using marlowhost_test::RunScript;

std::string Wrap(const std::string& body) { return "on startMovie\n" + body + "\nend\n"; }

TEST(LingoErrors, SyntaxErrorsNameTheirLine) {
    EXPECT_EQ(RunScript("on startMovie\n  put (1 + \nend"), "2: Script syntax error: expected a value, found the end of the line");
    EXPECT_EQ(RunScript("on startMovie\n\n  put \"open\nend"), "3: Script syntax error: string without closing quote");
    EXPECT_EQ(RunScript("on startMovie\n  if 1 then\n    put 1\nend"), "4: Script syntax error: expected 'end if', found the end of the line");
    EXPECT_EQ(RunScript("put 1"), "1: Script syntax error: expected a handler (on name) or a global declaration, found 'put'");
    EXPECT_EQ(RunScript("on a\nend\non A\nend"), "3: Script syntax error: handler A is defined twice, found the end of the line");
    EXPECT_EQ(RunScript("on a\nend b"), "2: Script syntax error: 'end b' closes handler a");
    EXPECT_EQ(RunScript(Wrap("  x = 1 ? 2")), "2: Script syntax error: unexpected character '?'");
    EXPECT_EQ(RunScript(Wrap("  1 + 2")), "2: Script syntax error: expected a statement, found '1'");
    EXPECT_EQ(RunScript(Wrap("  [1][1]")), "2: Script syntax error: expected a statement, found '['");
    EXPECT_EQ(RunScript(Wrap("  x[1]")), "2: Script syntax error: this line computes a value but does nothing with it");
    EXPECT_EQ(RunScript(Wrap("  true = 1")), "2: Script syntax error: expected a statement, found 'true'");
    EXPECT_EQ(RunScript("on startMovie\n  repeat with i = 1 to 2\n  end\nend"),
              "3: Script syntax error: expected 'end repeat', found the end of the line");
}

TEST(LingoErrors, RuntimeErrorsNameTheirLineAfterWhatRan) {
    EXPECT_EQ(RunScript(Wrap("  put 1\n  put 1 / 0")), "-- 1\n3: Script error: division by zero");
    EXPECT_EQ(RunScript(Wrap("  put 5 mod 0")), "2: Script error: mod by zero");
    EXPECT_EQ(RunScript(Wrap("  put 1.0 / 0")), "2: Script error: division by zero");
    EXPECT_EQ(RunScript(Wrap("  put y")), "2: Script error: Variable used before assigned a value: y");
    EXPECT_EQ(RunScript(Wrap("  nowhere(1)")), "2: Script error: Handler not defined: nowhere");
    EXPECT_EQ(RunScript(Wrap("  put [1, 2][3]")), "2: Script error: Index out of range: 3");
    EXPECT_EQ(RunScript(Wrap("  put [#a: 1][#b]")), "2: Script error: Property not found: #b");
    EXPECT_EQ(RunScript(Wrap("  put getProp([#a: 1], #b)")), "2: Script error: Property not found: #b");
    EXPECT_EQ(RunScript(Wrap("  put \"a\" + 1")), "2: Script error: + needs numbers, not \"a\"");
    EXPECT_EQ(RunScript(Wrap("  put [1] < 2")), "2: Script error: cannot compare [1] with 2");
    EXPECT_EQ(RunScript(Wrap("  if \"yes\" then put 1")), "2: Script error: a condition must be a number, not \"yes\"");
    EXPECT_EQ(RunScript(Wrap("  put count(5)")), "2: Script error: count needs a list, not 5");
    EXPECT_EQ(RunScript(Wrap("  put getAt([1])")), "2: Script error: getAt needs 2 arguments");
    EXPECT_EQ(RunScript(Wrap("  add([:], 1)")), "2: Script error: add needs a linear list, not [:]");
    EXPECT_EQ(RunScript(Wrap("  put the date")), "2: Script error: unknown property: the date");
    EXPECT_EQ(RunScript(Wrap("  idle(-1)")), "2: Script error: idle needs 0 or more milliseconds, not -1");
    EXPECT_EQ(RunScript(Wrap("  put new(xtra \"Other\")")), "2: Script error: no xtra Other");
    EXPECT_EQ(RunScript(Wrap("  repeat with i = 1 to \"3\"\n  end repeat")),
              "2: Script error: repeat with needs integers, not 1 and \"3\"");
}

TEST(LingoErrors, AMethodTheObjectLacksIsNamed) {
    EXPECT_EQ(RunScript(Wrap("  o = new(xtra \"Fake\")\n  o.Foo()")), "3: Script error: no method Foo");
    EXPECT_EQ(RunScript(Wrap("  o = new(xtra \"Fake\")\n  Foo(o, 1)")), "3: Script error: no method Foo");
    EXPECT_EQ(RunScript(Wrap("  x = 5\n  x.Ping()")), "3: Script error: .Ping() needs an object, not 5");
}

TEST(LingoErrors, ErrorsInsideHandlersNameTheHandlersLine) {
    EXPECT_EQ(RunScript("on startMovie\n  helper\nend\non helper\n  put 1\n  put nope\nend"),
              "-- 1\n6: Script error: Variable used before assigned a value: nope");
}

TEST(LingoErrors, StepLimitEndsEndlessLoops) {
    FakeEnvironment host;
    lingo::Limits limits;
    limits.steps = 1000;
    EXPECT_EQ(RunScript(Wrap("  repeat while 1\n  end repeat"), host, limits),
              "2: Script error: step limit reached after 1000 statements and idle ticks (an endless loop?)");
    FakeEnvironment idleHost;
    EXPECT_EQ(RunScript(Wrap("  idle(1000000)"), idleHost, limits),
              "2: Script error: step limit reached after 1000 statements and idle ticks (an endless loop?)");
    EXPECT_EQ(idleHost.ticks, 999);
}

TEST(LingoErrors, RecursionLimitEndsDeepRecursion) {
    FakeEnvironment host;
    lingo::Limits limits;
    limits.depth = 50;
    EXPECT_EQ(RunScript("on startMovie\n  dive 1\nend\non dive n\n  dive n + 1\nend", host, limits),
              "5: Script error: handlers nested too deeply (more than 50 calls in one another)");
    // The default limits hold a recursion that would overflow the stack.
    EXPECT_NE(RunScript("on startMovie\n  dive 1\nend\non dive n\n  dive n + 1\nend").find("nested too deeply"),
              std::string::npos);
}

TEST(LingoErrors, DeepNestingInTheSourceIsRefusedNotOverflowed) {
    std::string deep(5000, '(');
    EXPECT_EQ(RunScript(Wrap("  put " + deep + "1")).substr(0, 42), "2: Script syntax error: nested too deeply,");
    std::string negations;
    for (int i = 0; i < 5000; ++i) negations += "not ";
    EXPECT_NE(RunScript(Wrap("  put " + negations + "1")).find("nested too deeply"), std::string::npos);
}

TEST(LingoErrors, TextsCannotGrowWithoutBound) {
    EXPECT_EQ(RunScript(Wrap("  s = \"ab\"\n  repeat while 1\n    s = s & s\n  end repeat")),
              "4: Script error: text longer than 1000000 characters");
}

}  // namespace
