// Movie handlers called through the player.
#include <gtest/gtest.h>

#include "test_host.h"

namespace {

using marlowhost::TestHost;

TEST(MovieHandlers, AHandlerReceivesTheArgumentsAndAnswers) {
    TestHost host;
    std::vector<std::string> seen;
    host.Handlers().Define("Marlowtide_XtraFlow", [&](const std::vector<MoaMmValue>& arguments) {
        for (const MoaMmValue& argument : arguments) {
            seen.push_back(host.Values().LingoText(argument));
        }
        return host.Values().Int(9);
    });
    MoaMmValue arguments[] = {host.Values().String("m_close"), host.Values().String("Enter")};
    MoaMmValue result = {0, 0};
    MoaMmSymbol name = host.Store().Intern("marlowtide_xtraflow");
    ASSERT_EQ(host.Player().CallHandler(name, 2, arguments, &result), kMoaErr_NoErr);
    EXPECT_EQ(seen, (std::vector<std::string>{"\"m_close\"", "\"Enter\""}));
    EXPECT_EQ(host.Values().IntOf(result), 9);
    ASSERT_EQ(host.Handlers().Calls().size(), 1u);
    EXPECT_EQ(host.Handlers().Calls()[0].name, "Marlowtide_XtraFlow");
    EXPECT_EQ(host.Handlers().Calls()[0].arguments, seen);
    EXPECT_FALSE(host.Handlers().Calls()[0].insideContext);
    // The arguments stay the caller's.
    EXPECT_EQ(host.Store().ReferencesOf(arguments[0]), 1);
}

TEST(MovieHandlers, AResultNobodyAsksForIsReleased) {
    TestHost host;
    host.Handlers().Define("answer", [&](const std::vector<MoaMmValue>&) { return host.Values().String("x"); });
    MoaMmSymbol name = host.Store().Intern("answer");
    ASSERT_EQ(host.Player().CallHandler(name, 0, nullptr, nullptr), kMoaErr_NoErr);
    EXPECT_EQ(host.Values().LiveValues(), 0);
}

TEST(MovieHandlers, AMissingHandlerIsNoCall) {
    TestHost host;
    MoaMmValue result = host.Values().Int(1);
    MoaMmValue previous = result;
    MoaMmSymbol name = host.Store().Intern("Marlowtide_XtraError");
    EXPECT_EQ(host.Player().CallHandler(name, 0, nullptr, &result), kMoaDrErr_HandlerNotDefined);
    EXPECT_TRUE(host.Handlers().Calls().empty());
    EXPECT_EQ(host.Handlers().MissingCalls(), std::vector<std::string>{"Marlowtide_XtraError"});
    EXPECT_EQ(host.Values().TypeOf(result), kMoaMmValueType_Void);
    host.Values().Release(&previous);
}

TEST(MovieHandlers, ACallInsideTheContextIsMarked) {
    TestHost host;
    host.Handlers().Define("h", [](const std::vector<MoaMmValue>&) { return marlowhost::ValueStore::Void(); });
    DrContextState state = {};
    host.Context().PushXtraContext(&state);
    host.Movie().CallHandler(host.Store().Intern("H"), 0, nullptr, nullptr);
    host.Context().PopXtraContext(&state);
    ASSERT_EQ(host.Handlers().CallsOf("h").size(), 1u);
    EXPECT_TRUE(host.Handlers().CallsOf("h")[0].insideContext);
}

}  // namespace
