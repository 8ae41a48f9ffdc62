// GetFormat, SetFormat and the single-value setters.
#include <cmath>
#include <limits>

#include "script/method_number.h"
#include "script_test_support.h"

namespace {

class FormatMethodTest : public ScriptTest {
protected:
    FormatMethodTest() { InstallFakeDevice(); }

    MoaMmValue Properties(std::vector<std::pair<std::string, MoaMmValue>> properties) {
        return Values().PropList(std::move(properties));
    }
};

TEST_F(FormatMethodTest, GetFormatListsSizeChannelsCompressionAndRateInThatOrder) {
    fake_->channels = 2;
    fake_->rateKHz = 44.1f;
    fake_->bits = 8;
    MoaMmValue format = Invoke(kMethodGetFormat);
    ASSERT_EQ(Values().TypeOf(format), kMoaMmValueType_PropList);
    ASSERT_EQ(Values().Count(format), 4);
    EXPECT_EQ(Values().PropertyName(format, 1), "SampleSize");
    EXPECT_EQ(Values().PropertyName(format, 2), "NumberOfChannels");
    EXPECT_EQ(Values().PropertyName(format, 3), "CompressionType");
    EXPECT_EQ(Values().PropertyName(format, 4), "SampleRate");
    EXPECT_EQ(Values().IntOf(Values().Property(format, "SampleSize")), 8);
    EXPECT_EQ(Values().IntOf(Values().Property(format, "NumberOfChannels")), 2);
    EXPECT_EQ(Values().StringOf(Values().Property(format, "CompressionType")), "");
    const auto rate = Values().FloatOf(Values().Property(format, "SampleRate"));
    ASSERT_TRUE(rate.has_value());
    EXPECT_EQ(static_cast<float>(*rate), 44.1f);
    EXPECT_TRUE(fake_->compressionSeenEmpty);
    Values().Release(&format);
}

TEST_F(FormatMethodTest, GetFormatFailureAnswersNothingAndReportsNothing) {
    fake_->Fail("GetFormat", "Cannot read format");
    MoaMmValue format = Invoke(kMethodGetFormat);
    EXPECT_EQ(Values().TypeOf(format), kMoaMmValueType_Void);
    EXPECT_TRUE(script_.reports.empty());
}

TEST_F(FormatMethodTest, SetFormatChangesOnlyWhatTheListHolds) {
    EXPECT_EQ(CallText(kMethodSetFormat, {Properties({{"NumberOfChannels", Int(2)}})}), "\"Ok\"");
    EXPECT_EQ(fake_->setChannels, 2);
    EXPECT_EQ(fake_->setBits, 16);
    EXPECT_EQ(fake_->setRateKHz, 11.025f);
    EXPECT_EQ(fake_->setCompression, "");

    CallText(kMethodSetFormat,
             {Properties({{"SampleRate", Values().Float(22.05)}, {"SampleSize", Int(8)}, {"Other", Int(3)}})});
    EXPECT_EQ(fake_->setChannels, 1);
    EXPECT_EQ(fake_->setBits, 8);
    EXPECT_EQ(fake_->setRateKHz, 22.05f);
}

TEST_F(FormatMethodTest, SetFormatWithoutUsableDataFails) {
    const char* kNoData = "\"Error :SetFormat did not contain any vaild data (-1)\"";
    EXPECT_EQ(CallText(kMethodSetFormat, {Properties({})}), kNoData);
    EXPECT_EQ(CallText(kMethodSetFormat, {Properties({{"Volume", Int(3)}})}), kNoData);
    // Present but of the wrong type counts as absent.
    EXPECT_EQ(CallText(kMethodSetFormat, {Properties({{"SampleSize", Text("16")}})}), kNoData);
    EXPECT_EQ(CallText(kMethodSetFormat, {Int(5)}), kNoData);
    EXPECT_EQ(CallText(kMethodSetFormat), kNoData);
    EXPECT_FALSE(fake_->Called("SetFormat"));
    EXPECT_TRUE(script_.reports.empty());
}

TEST_F(FormatMethodTest, SetFormatWithOnlyACompressionTypePassesItsFirstFourLetters) {
    EXPECT_EQ(CallText(kMethodSetFormat, {Properties({{"CompressionType", Text("abcdef")}})}), "\"Ok\"");
    EXPECT_EQ(fake_->setCompression, "abcd");
    EXPECT_EQ(fake_->setChannels, 1);
    EXPECT_EQ(fake_->setBits, 16);
    EXPECT_EQ(fake_->setRateKHz, 11.025f);

    CallText(kMethodSetFormat, {Properties({{"CompressionType", Text(std::string(300, 'c'))}})});
    EXPECT_EQ(fake_->setCompression, "cccc");
}

TEST_F(FormatMethodTest, RatesFromTheMovieReachTheDeviceWithinTheFieldsRange) {
    struct Case {
        double given;
        float expected;
    };
    const Case cases[] = {
        {-44.1, 0.0f},
        {std::numeric_limits<double>::quiet_NaN(), 0.0f},
        {1e30, 4294967.0f},
        {std::numeric_limits<double>::infinity(), 4294967.0f},
        {-std::numeric_limits<double>::infinity(), 0.0f},
        {48.0, 48.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        CallText(kMethodSetFormat, {Properties({{"SampleRate", Values().Float(c.given)}})});
        EXPECT_EQ(fake_->setRateKHz, c.expected);
        CallText(kMethodSetSampleRate, {Values().Float(c.given)});
        EXPECT_EQ(fake_->setRateKHz, c.expected);
    }
}

TEST_F(FormatMethodTest, SingleValueSettersReplaceOneValue) {
    EXPECT_EQ(CallText(kMethodSetSampleRate, {Values().Float(8.0)}), "\"Ok\"");
    EXPECT_EQ(fake_->setRateKHz, 8.0f);
    EXPECT_EQ(fake_->setChannels, 1);
    EXPECT_EQ(fake_->setBits, 16);

    // An integer reads as a float rate.
    CallText(kMethodSetSampleRate, {Int(22)});
    EXPECT_EQ(fake_->setRateKHz, 22.0f);

    CallText(kMethodSetBitsPerSample, {Int(8)});
    EXPECT_EQ(fake_->setBits, 8);
    EXPECT_EQ(fake_->setRateKHz, 11.025f);

    CallText(kMethodSetChannels, {Int(2)});
    EXPECT_EQ(fake_->setChannels, 2);
    EXPECT_EQ(fake_->setBits, 16);
}

TEST_F(FormatMethodTest, SingleValueSetterThatDoesNotReadLeavesTheFormat) {
    EXPECT_EQ(CallText(kMethodSetChannels, {Text("2")}), "\"Ok\"");
    EXPECT_EQ(CallText(kMethodSetBitsPerSample), "\"Ok\"");
    EXPECT_EQ(CallText(kMethodSetSampleRate, {Text("44.1")}), "\"Ok\"");
    EXPECT_FALSE(fake_->Called("SetFormat"));
    EXPECT_TRUE(script_.reports.empty());
}

TEST_F(FormatMethodTest, SingleValueSetterAnswersAGetFormatFailure) {
    fake_->Fail("GetFormat", "Cannot read format", 3);
    EXPECT_EQ(CallText(kMethodSetChannels, {Int(2)}), "\"Error :Cannot read format (3)\"");
    EXPECT_FALSE(fake_->Called("SetFormat"));
}

}  // namespace
