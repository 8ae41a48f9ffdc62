#include <cmath>
#include <limits>

#include "audio_test_fixture.h"

namespace {

using DeviceFormatTest = AudioDeviceTest;

TEST_F(DeviceFormatTest, StartsAtElevenKiloHertzSixteenBitMono) {
    int32_t channels = 0;
    float rate = 0;
    int32_t bits = 0;
    char compression[8] = "keep";
    EXPECT_TRUE(Succeeded(device->GetFormat(&channels, &rate, &bits, compression)));
    EXPECT_EQ(channels, 1);
    EXPECT_FLOAT_EQ(rate, 11.025f);
    EXPECT_EQ(bits, 16);
    EXPECT_STREQ(compression, "keep");
    EXPECT_EQ(device->format.wFormatTag, 1);
    EXPECT_EQ(device->format.nAvgBytesPerSec, 22050u);
    EXPECT_EQ(device->format.nBlockAlign, 2);
    EXPECT_EQ(device->format.cbSize, 0);
    EXPECT_EQ(device->maxCaptureMs, 10000);
}

TEST_F(DeviceFormatTest, SetFormatDerivesBlockAlignAndByteRate) {
    EXPECT_TRUE(Succeeded(device->SetFormat(2, 44.1f, 16, "")));
    EXPECT_EQ(device->format.nChannels, 2);
    EXPECT_EQ(device->format.nSamplesPerSec, 44100u);
    EXPECT_EQ(device->format.nBlockAlign, 4);
    EXPECT_EQ(device->format.nAvgBytesPerSec, 176400u);
    int32_t channels = 0;
    float rate = 0;
    int32_t bits = 0;
    device->GetFormat(&channels, &rate, &bits, nullptr);
    EXPECT_FLOAT_EQ(rate, 44.1f);

    device->SetFormat(1, 8.0f, 8, "");
    EXPECT_EQ(device->format.nBlockAlign, 1);
    EXPECT_EQ(device->format.nAvgBytesPerSec, 8000u);

    EXPECT_TRUE(Succeeded(device->SetFormat(0, 22.05f, 16, "")));
    EXPECT_EQ(device->format.nBlockAlign, 0);
    EXPECT_EQ(device->format.nAvgBytesPerSec, 0u);
    device->SetFormat(2, 22.05f, 0, "");
    EXPECT_EQ(device->format.nBlockAlign, 0);
    EXPECT_EQ(device->format.wFormatTag, 1);
    EXPECT_EQ(device->format.cbSize, 0);
}

TEST_F(DeviceFormatTest, RatesOutsideTheFieldAreClampedNotConvertedBlindly) {
    device->SetFormat(1, -44.1f, 16, "");
    EXPECT_EQ(device->format.nSamplesPerSec, 0u);
    device->SetFormat(1, std::numeric_limits<float>::quiet_NaN(), 16, "");
    EXPECT_EQ(device->format.nSamplesPerSec, 0u);
    EXPECT_EQ(device->format.nAvgBytesPerSec, 0u);
    device->SetFormat(1, 1.0e9f, 16, "");
    EXPECT_EQ(device->format.nSamplesPerSec, 0xFFFFFFFFu);
    device->SetFormat(1, std::numeric_limits<float>::infinity(), 8, "");
    EXPECT_EQ(device->format.nSamplesPerSec, 0xFFFFFFFFu);
    device->SetFormat(1, 0.0005f, 8, "");
    EXPECT_EQ(device->format.nSamplesPerSec, 1u);
}

}  // namespace
