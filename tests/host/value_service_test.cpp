// The value service converts as Director does and counts every value.
#include <gtest/gtest.h>

#include <cstring>

#include "test_host.h"

namespace {

using marlowhost::TestHost;

class ValueServiceTest : public ::testing::Test {
protected:
    TestHost host;
    IMoaMmValue& values = host.ValueServiceObject();
};

TEST_F(ValueServiceTest, IntegerReadsOnlyIntegers) {
    MoaMmValue integer = host.Values().Int(7);
    MoaMmValue number = host.Values().Float(7.0);
    MoaMmValue text = host.Values().String("7");
    MoaLong read = -1;
    EXPECT_EQ(values.ValueToInteger(&integer, &read), kMoaErr_NoErr);
    EXPECT_EQ(read, 7);
    EXPECT_EQ(values.ValueToInteger(&number, &read), kMoaMmErr_IntegerExpected);
    EXPECT_EQ(values.ValueToInteger(&text, &read), kMoaMmErr_IntegerExpected);
    MoaMmValue none = {0, 0};
    EXPECT_EQ(values.ValueToInteger(&none, &read), kMoaMmErr_IntegerExpected);
}

TEST_F(ValueServiceTest, FloatReadsFloatsAndIntegers) {
    MoaMmValue integer = host.Values().Int(-3);
    MoaMmValue number = host.Values().Float(11.025);
    MoaMmValue symbol = host.Values().Symbol("Rate");
    MoaDouble read = 0.0;
    EXPECT_EQ(values.ValueToFloat(&integer, &read), kMoaErr_NoErr);
    EXPECT_DOUBLE_EQ(read, -3.0);
    EXPECT_EQ(values.ValueToFloat(&number, &read), kMoaErr_NoErr);
    EXPECT_DOUBLE_EQ(read, 11.025);
    EXPECT_EQ(values.ValueToFloat(&symbol, &read), kMoaMmErr_FloatExpected);
}

TEST_F(ValueServiceTest, StringReadsOnlyStringsAndStaysInItsBuffer) {
    MoaMmValue text = host.Values().String("abcdefgh");
    MoaMmValue integer = host.Values().Int(1);
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(values.ValueToString(&text, buffer, 5), kMoaErr_NoErr);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(buffer[5], 'x');
    EXPECT_EQ(values.ValueToString(&integer, buffer, sizeof buffer), kMoaMmErr_StringExpected);
    MoaLong length = 0;
    EXPECT_EQ(values.ValueStringLength(&text, &length), kMoaErr_NoErr);
    EXPECT_EQ(length, 8);
}

TEST_F(ValueServiceTest, SymbolsIgnoreCaseAndReadOnlyFromSymbols) {
    MoaMmSymbol first = 0;
    MoaMmSymbol second = 0;
    ASSERT_EQ(values.StringToSymbol("SampleRate", &first), kMoaErr_NoErr);
    ASSERT_EQ(values.StringToSymbol("samplerate", &second), kMoaErr_NoErr);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, 0);
    char name[32];
    ASSERT_EQ(values.SymbolToString(second, name, sizeof name), kMoaErr_NoErr);
    EXPECT_STREQ(name, "SampleRate");

    MoaMmValue symbol = {0, 0};
    ASSERT_EQ(values.SymbolToValue(first, &symbol), kMoaErr_NoErr);
    MoaMmSymbol read = 0;
    EXPECT_EQ(values.ValueToSymbol(&symbol, &read), kMoaErr_NoErr);
    EXPECT_EQ(read, first);
    MoaMmValue text = host.Values().String("SampleRate");
    EXPECT_EQ(values.ValueToSymbol(&text, &read), kMoaMmErr_SymbolExpected);
}

TEST_F(ValueServiceTest, TypeCodesAreThoseOfDirector) {
    MoaMmValue made[] = {marlowhost::ValueStore::Void(), host.Values().Int(1), host.Values().Symbol("a"), host.Values().String("a"),
                         host.Values().Float(1.0), host.Values().List({}), host.Values().PropList({})};
    const MoaMmValueType expected[] = {0, 1, 2, 3, 6, 7, 10};
    for (size_t i = 0; i < sizeof expected / sizeof expected[0]; ++i) {
        MoaMmValueType type = -1;
        ASSERT_EQ(values.ValueType(&made[i], &type), kMoaErr_NoErr);
        EXPECT_EQ(type, expected[i]) << "value " << i;
    }
}

TEST_F(ValueServiceTest, EveryMadeValueIsCountedUntilReleased) {
    MoaMmValue integer = {0, 0};
    MoaMmValue text = {0, 0};
    values.IntegerToValue(5, &integer);
    values.StringToValue("Ok", &text);
    EXPECT_EQ(host.Values().LiveValues(), 2);
    values.ValueAddRef(&text);
    values.ValueRelease(&text);
    EXPECT_EQ(host.Values().LiveValues(), 2);
    values.ValueRelease(&text);
    values.ValueRelease(&integer);
    EXPECT_EQ(host.Values().LiveValues(), 0);
    EXPECT_EQ(host.Values().BadUses(), 0);
}

TEST_F(ValueServiceTest, AReleaseTooManyIsCaughtNotObeyed) {
    MoaMmValue first = host.Values().Int(1);
    MoaMmValue second = host.Values().Int(2);
    values.ValueRelease(&first);
    EXPECT_EQ(values.ValueRelease(&first), marlowhost::kDeadValue);
    EXPECT_EQ(host.Values().BadUses(), 1);
    EXPECT_EQ(host.Values().IntOf(second), 2);
    MoaMmValue none = {0, 0};
    EXPECT_EQ(values.ValueRelease(&none), kMoaErr_NoErr);
}

TEST_F(ValueServiceTest, ACopyKeptPastItsReleaseStaysDeadWhenItsPlaceIsReused) {
    MoaMmValue stale = host.Values().String("old");
    MoaMmValue copy = stale;
    values.ValueRelease(&stale);
    MoaMmValue fresh = host.Values().List({host.Values().Int(5)});
    MoaLong read = 0;
    EXPECT_EQ(values.ValueRelease(&copy), marlowhost::kDeadValue);
    EXPECT_EQ(values.ValueToInteger(&copy, &read), kMoaMmErr_IntegerExpected);
    EXPECT_EQ(host.Values().BadUses(), 2);
    EXPECT_EQ(host.Store().Elements(fresh)->size(), 1u);

    // A list emptied by its last release leaves nothing behind for the next.
    values.ValueRelease(&fresh);
    EXPECT_EQ(host.Store().LiveValues(), 0);
    MoaMmValue list = host.Store().MakeList();
    EXPECT_TRUE(host.Store().Elements(list)->empty());
    values.ValueRelease(&list);
}

}  // namespace
