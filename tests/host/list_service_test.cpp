// Lists count positions from 1, hold counted copies and release them.
#include <gtest/gtest.h>

#include "test_host.h"

namespace {

using marlowhost::TestHost;

class ListServiceTest : public ::testing::Test {
protected:
    TestHost host;
    IMoaMmList& lists = host.ListServiceObject();
    marlowhost::HostValues& values = host.Values();
};

TEST_F(ListServiceTest, PositionsCountFromOne) {
    MoaMmValue list = values.List({values.Int(10), values.Int(20)});
    EXPECT_EQ(lists.CountElements(&list), 2);
    MoaMmValue element = {0, 0};
    ASSERT_EQ(lists.GetValueByIndex(&list, 1, &element), kMoaErr_NoErr);
    EXPECT_EQ(values.IntOf(element), 10);
    values.Release(&element);
    ASSERT_EQ(lists.GetValueByIndex(&list, 2, &element), kMoaErr_NoErr);
    EXPECT_EQ(values.IntOf(element), 20);
    values.Release(&element);
    EXPECT_EQ(lists.GetValueByIndex(&list, 0, &element), kMoaMmErr_ArgOutOfRange);
    EXPECT_EQ(lists.GetValueByIndex(&list, 3, &element), kMoaMmErr_ArgOutOfRange);
}

TEST_F(ListServiceTest, AppendedValuesAreCountedCopiesAndGotValuesAreTheCallers) {
    MoaMmValue list = {0, 0};
    lists.NewListValue(&list);
    MoaMmValue text = values.String("a");
    lists.AppendValueToList(&list, &text);
    values.Release(&text);  // the list keeps its own reference
    MoaMmValue got = {0, 0};
    ASSERT_EQ(lists.GetValueByIndex(&list, 1, &got), kMoaErr_NoErr);
    EXPECT_EQ(host.Store().ReferencesOf(got), 2);
    values.Release(&got);
    EXPECT_EQ(values.StringOf(values.At(list, 1)), "a");
}

TEST_F(ListServiceTest, ReleasingAListReleasesWhatItHolds) {
    MoaMmValue inner = values.List({values.Int(2), values.String("x")});
    MoaMmValue outer = values.PropList({{"Left", values.Int(1)}, {"Inner", inner}});
    EXPECT_GT(values.LiveValues(), 0);
    values.Release(&outer);
    EXPECT_EQ(values.LiveValues(), 0);
    EXPECT_EQ(values.BadUses(), 0);
}

TEST_F(ListServiceTest, PropertiesAreFoundBySymbolValueWithoutCase) {
    MoaMmValue list = values.PropList({{"SampleRate", values.Float(11.025)}, {"Channels", values.Int(1)}});
    MoaMmValue key = values.Symbol("channels");
    MoaMmValue got = {0, 0};
    ASSERT_EQ(lists.GetValueByProperty(&list, &key, &got), kMoaErr_NoErr);
    EXPECT_EQ(values.IntOf(got), 1);
    values.Release(&got);

    MoaMmValue missing = values.Symbol("Bits");
    EXPECT_EQ(lists.GetValueByProperty(&list, &missing, &got), kMoaMmErr_PropertyNotFound);
    MoaMmValue text = values.String("Channels");
    EXPECT_EQ(lists.GetValueByProperty(&list, &text, &got), kMoaMmErr_SymbolExpected);
}

TEST_F(ListServiceTest, ASecondPropertyOfOneNameIsAddedAndTheFirstWins) {
    MoaMmValue list = {0, 0};
    lists.NewPropListValue(&list);
    MoaMmValue key = values.Symbol("Left");
    MoaMmValue first = values.Int(1);
    MoaMmValue second = values.Int(2);
    lists.AppendValueToPropList(&list, &key, &first);
    lists.AppendValueToPropList(&list, &key, &second);
    EXPECT_EQ(lists.CountElements(&list), 2);
    EXPECT_EQ(values.IntOf(values.Property(list, "Left")), 1);
    EXPECT_EQ(values.PropertyName(list, 2), "Left");
}

TEST_F(ListServiceTest, ListOperationsRefuseOtherValues) {
    MoaMmValue integer = values.Int(4);
    MoaMmValue element = values.Int(5);
    EXPECT_EQ(lists.CountElements(&integer), 0);
    EXPECT_NE(lists.AppendValueToList(&integer, &element), kMoaErr_NoErr);
    MoaMmValue propList = values.PropList({});
    EXPECT_NE(lists.AppendValueToList(&propList, &element), kMoaErr_NoErr);
    EXPECT_EQ(host.Store().ReferencesOf(element), 1);
}

}  // namespace
