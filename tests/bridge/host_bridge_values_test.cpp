#include <cmath>
#include <cstring>

#include "bridge_test_fixture.h"

namespace {

using HostBridgeArguments = BridgeTest;

TEST_F(HostBridgeArguments, ReadsEachTypeAtTheGivenIndexOnly) {
    std::vector<MoaMmValue> args = {marlowhost::ValueStore::Void(), host.Values().String("abc"),
                                    host.Values().Int(42), host.Values().Float(11.025)};
    MoaMmCallInfo call = CallWith(args, 4);

    char text[16] = {};
    int32_t integer = 0;
    float number = 0.0f;
    EXPECT_TRUE(bridge.ReadTextArgument(&call, 1, text, sizeof text));
    EXPECT_STREQ(text, "abc");
    EXPECT_TRUE(bridge.ReadIntegerArgument(&call, 2, &integer));
    EXPECT_EQ(integer, 42);
    EXPECT_TRUE(bridge.ReadFloatArgument(&call, 3, &number));
    EXPECT_FLOAT_EQ(number, 11.025f);
    // Director's conversions: a float reads an integer, a text reads nothing else.
    EXPECT_TRUE(bridge.ReadFloatArgument(&call, 2, &number));
    EXPECT_FLOAT_EQ(number, 42.0f);
    EXPECT_FALSE(bridge.ReadTextArgument(&call, 2, text, sizeof text));
    EXPECT_FALSE(bridge.ReadIntegerArgument(&call, 1, &integer));
    EXPECT_EQ(integer, 42);
    ReleaseAll(args);
}

TEST_F(HostBridgeArguments, AnIndexAtOrPastNargsIsNotRead) {
    std::vector<MoaMmValue> args = {marlowhost::ValueStore::Void(), host.Values().Int(7), host.Values().Int(8)};
    // The host passed two arguments; the third value lies beyond them.
    MoaMmCallInfo call = CallWith(args, 2);
    int32_t integer = -5;
    EXPECT_TRUE(bridge.ReadIntegerArgument(&call, 1, &integer));
    EXPECT_FALSE(bridge.ReadIntegerArgument(&call, 2, &integer));
    EXPECT_FALSE(bridge.ReadIntegerArgument(&call, -1, &integer));
    EXPECT_EQ(integer, 7);
    EXPECT_EQ(bridge.Argument(&call, 2), nullptr);
    EXPECT_EQ(bridge.Argument(&call, 1), &args[1]);
    ReleaseAll(args);
}

TEST_F(HostBridgeArguments, TextIsCutToTheBufferAndNothingPastItIsTouched) {
    std::vector<MoaMmValue> args = {marlowhost::ValueStore::Void(), host.Values().String(std::string(600, 'x'))};
    MoaMmCallInfo call = CallWith(args, 2);
    char buffer[12];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_TRUE(bridge.ReadTextArgument(&call, 1, buffer, 8));
    EXPECT_STREQ(buffer, "xxxxxxx");
    EXPECT_EQ(buffer[8], '#');
    EXPECT_FALSE(bridge.ReadTextArgument(&call, 1, buffer, 0));
    ReleaseAll(args);
}

TEST_F(HostBridgeArguments, AFloatBeyondFloatRangeReadsAsInfinityOfItsSign) {
    std::vector<MoaMmValue> args = {marlowhost::ValueStore::Void(), host.Values().Float(1e300),
                                    host.Values().Float(-1e300), host.Values().Float(std::nan(""))};
    MoaMmCallInfo call = CallWith(args, 4);
    float number = 0.0f;
    ASSERT_TRUE(bridge.ReadFloatArgument(&call, 1, &number));
    EXPECT_TRUE(std::isinf(number) && number > 0);
    ASSERT_TRUE(bridge.ReadFloatArgument(&call, 2, &number));
    EXPECT_TRUE(std::isinf(number) && number < 0);
    ASSERT_TRUE(bridge.ReadFloatArgument(&call, 3, &number));
    EXPECT_TRUE(std::isnan(number));
    ReleaseAll(args);
}

using HostBridgeProperties = BridgeTest;

TEST_F(HostBridgeProperties, AddingToAnEmptySlotMakesItAPropertyListFirst) {
    const int before = host.Values().LiveValues();
    MoaMmValue slot = marlowhost::ValueStore::Void();
    EXPECT_EQ(bridge.AddIntegerProperty(&slot, "Left", 5), kMoaErr_NoErr);
    EXPECT_EQ(host.Values().TypeOf(slot), kMoaMmValueType_PropList);
    EXPECT_EQ(host.Values().LingoText(slot), "[#Left: 5]");
    host.Values().Release(&slot);
    // The symbol value and the integer made for the add are gone too.
    EXPECT_EQ(host.Values().LiveValues(), before);
}

TEST_F(HostBridgeProperties, AddsKeepTheirOrderAndTypes) {
    const int before = host.Values().LiveValues();
    MoaMmValue list = {};
    ASSERT_EQ(bridge.NewPropertyList(&list), kMoaErr_NoErr);
    bridge.AddFloatProperty(&list, "SampleRate", 11.025f);
    bridge.AddIntegerProperty(&list, "NumberOfChannels", 1);
    bridge.AddTextProperty(&list, "DeviceName", "Line in");
    EXPECT_EQ(host.Values().PropertyName(list, 1), "SampleRate");
    EXPECT_EQ(host.Values().PropertyName(list, 3), "DeviceName");
    EXPECT_NEAR(*host.Values().FloatOf(host.Values().Property(list, "SampleRate")), 11.025, 1e-6);
    EXPECT_EQ(host.Values().IntOf(host.Values().Property(list, "NumberOfChannels")), 1);
    EXPECT_EQ(host.Values().StringOf(host.Values().Property(list, "DeviceName")), "Line in");
    host.Values().Release(&list);
    EXPECT_EQ(host.Values().LiveValues(), before);
}

TEST_F(HostBridgeProperties, ReadsAnswerFalseForMissingOrWrongTypedProperties) {
    MoaMmValue list = host.Values().PropList({{"Count", host.Values().Int(3)},
                                              {"Name", host.Values().String("take one")}});
    const int before = host.Values().LiveValues();

    int32_t integer = -1;
    float number = 0.0f;
    char text[5] = {};
    EXPECT_TRUE(bridge.GetIntegerProperty(&list, "count", &integer));
    EXPECT_EQ(integer, 3);
    EXPECT_FALSE(bridge.GetIntegerProperty(&list, "Name", &integer));
    EXPECT_FALSE(bridge.GetIntegerProperty(&list, "Missing", &integer));
    EXPECT_EQ(integer, 3);
    // The host's float conversion reads integers.
    EXPECT_TRUE(bridge.GetFloatProperty(&list, "Count", &number));
    EXPECT_FLOAT_EQ(number, 3.0f);
    EXPECT_FALSE(bridge.GetFloatProperty(&list, "Name", &number));
    EXPECT_TRUE(bridge.GetTextProperty(&list, "Name", text, sizeof text));
    EXPECT_STREQ(text, "take");
    EXPECT_FALSE(bridge.GetTextProperty(&list, "Count", text, sizeof text));

    MoaMmValue found = {};
    EXPECT_TRUE(bridge.FindProperty(&list, "Name", &found));
    bridge.Release(&found);
    // Copies out of the list and symbol values are all released again.
    EXPECT_EQ(host.Values().LiveValues(), before);
    EXPECT_EQ(host.Values().BadUses(), 0);
    host.Values().Release(&list);
}

using HostBridgeFormatValue = BridgeTest;

TEST_F(HostBridgeFormatValue, ScalarsAsTheTraceShowsThem) {
    MoaMmValue integer = host.Values().Int(42);
    MoaMmValue negative = host.Values().Int(-7);
    MoaMmValue text = host.Values().String("abc");
    MoaMmValue percent = host.Values().String("%s%d");
    MoaMmValue number = host.Values().Float(1.5);
    MoaMmValue symbol = host.Values().Symbol("Left");
    EXPECT_EQ(Format(integer), "<42>");
    EXPECT_EQ(Format(negative), "<-7>");
    EXPECT_EQ(Format(text), "<abc>");
    EXPECT_EQ(Format(percent), "<%s%d>");
    EXPECT_EQ(Format(number), "");
    EXPECT_EQ(Format(symbol), "");
    for (MoaMmValue* value : {&integer, &negative, &text, &percent, &number, &symbol}) {
        host.Values().Release(value);
    }
}

TEST_F(HostBridgeFormatValue, ListsShowEveryElementOnceInOrderAndNoNames) {
    MoaMmValue nested = host.Values().List(
        {host.Values().Int(1), host.Values().String("a"),
         host.Values().List({host.Values().Int(2), host.Values().Int(3)})});
    MoaMmValue properties = host.Values().PropList({{"A", host.Values().Int(1)}, {"B", host.Values().String("x")}});
    MoaMmValue empty = host.Values().List({});
    const int before = host.Values().LiveValues();
    EXPECT_EQ(Format(nested), "<1><a><2><3>");
    EXPECT_EQ(Format(properties), "<1><x>");
    EXPECT_EQ(Format(empty), "");
    EXPECT_EQ(host.Values().LiveValues(), before);
    host.Values().Release(&nested);
    host.Values().Release(&properties);
    host.Values().Release(&empty);
}

TEST_F(HostBridgeFormatValue, AppendsAtThePositionAndNeverPastTheBuffer) {
    MoaMmValue list = host.Values().List({host.Values().Int(42), host.Values().Int(43), host.Values().Int(44)});
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    std::memcpy(buffer, "ab", 3);
    std::size_t position = 2;
    bridge.FormatValue(&list, buffer, 8, &position);
    EXPECT_STREQ(buffer, "ab<42><");
    EXPECT_EQ(position, 7u);
    EXPECT_EQ(buffer[8], '#');
    // A full buffer takes nothing more.
    bridge.FormatValue(&list, buffer, 8, &position);
    EXPECT_EQ(position, 7u);
    EXPECT_STREQ(buffer, "ab<42><");
    host.Values().Release(&list);
}

TEST_F(HostBridgeFormatValue, ALongTextIsReadIntoAtMost15360Bytes) {
    MoaMmValue text = host.Values().String(std::string(20000, 'y'));
    std::vector<char> buffer(32768, '\0');
    std::size_t position = 0;
    bridge.FormatValue(&text, buffer.data(), buffer.size(), &position);
    EXPECT_EQ(position, 15359u + 2u);
    host.Values().Release(&text);
}

}  // namespace
