// Values as Lingo shows them.
#include <gtest/gtest.h>

#include "test_host.h"

namespace {

struct NoObject : IMoaUnknown {
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID*, void**) override { return kMoaErr_BadInterface; }
    MoaUlong MOA_STDCALL AddRef() override { return ++count; }
    MoaUlong MOA_STDCALL Release() override { return --count; }
    MoaUlong count = 1;
};

TEST(LingoText, ScalarsAsLingoShowsThem) {
    marlowhost::TestHost host;
    marlowhost::HostValues& values = host.Values();
    EXPECT_EQ(values.LingoText(values.Int(5)), "5");
    EXPECT_EQ(values.LingoText(values.Int(-1)), "-1");
    EXPECT_EQ(values.LingoText(values.Float(11.025)), "11.0250");
    EXPECT_EQ(values.LingoText(values.Float(0.0)), "0.0000");
    EXPECT_EQ(values.LingoText(values.String("Ok")), "\"Ok\"");
    EXPECT_EQ(values.LingoText(values.Symbol("Left")), "#Left");
    EXPECT_EQ(values.LingoText(marlowhost::ValueStore::Void()), "<Void>");
}

TEST(LingoText, ListsAndObjects) {
    marlowhost::TestHost host;
    marlowhost::HostValues& values = host.Values();
    EXPECT_EQ(values.LingoText(values.List({values.Int(1), values.Int(2)})), "[1, 2]");
    EXPECT_EQ(values.LingoText(values.List({})), "[]");
    EXPECT_EQ(values.LingoText(values.PropList({})), "[:]");
    MoaMmValue level = values.PropList(
        {{"Left", values.Int(0)}, {"Right", values.Int(0)}, {"Error", values.String("Ok")}});
    EXPECT_EQ(values.LingoText(level), "[#Left: 0, #Right: 0, #Error: \"Ok\"]");
    EXPECT_EQ(values.LingoText(values.List({level})), "[[#Left: 0, #Right: 0, #Error: \"Ok\"]]");

    NoObject object;
    MoaMmValue value = host.Store().MakeObject(&object, "Marlowtide");
    EXPECT_EQ(values.LingoText(value), "<Marlowtide object>");
    EXPECT_EQ(object.count, 2u);
    values.Release(&value);
    EXPECT_EQ(object.count, 1u);
}

}  // namespace
