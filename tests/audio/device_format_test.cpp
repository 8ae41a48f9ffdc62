#include <cmath>
#include <limits>

#include "audio/recording_format.h"
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
    EXPECT_EQ(device->maxCaptureMs, 10000);
}

// SetFormat takes any values; GetFormat answers them as they were set.
TEST_F(DeviceFormatTest, GetFormatAnswersWhatWasSet) {
    const int32_t given[][2] = {{2, 16}, {0, 16}, {2, 0}, {70000, 8}, {-1, 12}};
    for (const auto& values : given) {
        EXPECT_TRUE(Succeeded(device->SetFormat(values[0], 44.1f, values[1], "")));
        int32_t channels = 0;
        float rate = 0;
        int32_t bits = 0;
        device->GetFormat(&channels, &rate, &bits, nullptr);
        EXPECT_EQ(channels, values[0]);
        EXPECT_EQ(bits, values[1]);
        EXPECT_FLOAT_EQ(rate, 44.1f);
    }
}

TEST_F(DeviceFormatTest, RatesOutsideTheFieldAreClampedNotConvertedBlindly) {
    device->SetFormat(1, -44.1f, 16, "");
    EXPECT_EQ(device->format.samplesPerSecond, 0u);
    device->SetFormat(1, std::numeric_limits<float>::quiet_NaN(), 16, "");
    EXPECT_EQ(device->format.samplesPerSecond, 0u);
    device->SetFormat(1, 1.0e9f, 16, "");
    EXPECT_EQ(device->format.samplesPerSecond, 0xFFFFFFFFu);
    device->SetFormat(1, std::numeric_limits<float>::infinity(), 8, "");
    EXPECT_EQ(device->format.samplesPerSecond, 0xFFFFFFFFu);
    device->SetFormat(1, 0.0005f, 8, "");
    EXPECT_EQ(device->format.samplesPerSecond, 1u);
}

TEST(RecordingFormatTest, ARecordableFormatGetsItsDerivedFields) {
    WAVEFORMATEX record{};
    ASSERT_TRUE(RecordableWaveFormat({2, 44100, 16}, &record));
    EXPECT_EQ(record.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(record.nChannels, 2);
    EXPECT_EQ(record.nSamplesPerSec, 44100u);
    EXPECT_EQ(record.nBlockAlign, 4);
    EXPECT_EQ(record.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(record.wBitsPerSample, 16);
    EXPECT_EQ(record.cbSize, 0);
    // The largest values the record's fields and DirectSound's rates hold.
    ASSERT_TRUE(RecordableWaveFormat({16383, 65535, 32}, &record));
    EXPECT_EQ(record.nBlockAlign, 65532);
    EXPECT_EQ(record.nAvgBytesPerSec, 65532u * 65535u);
    ASSERT_TRUE(RecordableWaveFormat({1, 100, 8}, &record));
    ASSERT_TRUE(RecordableWaveFormat({2, 200000, 24}, &record));
    EXPECT_EQ(record.nAvgBytesPerSec, 1200000u);
}

TEST(RecordingFormatTest, AFormatNoDeviceCanTakeIsRefusedAndLeavesTheRecord) {
    const RecordingFormat refused[] = {
        {0, 11025, 16},         {-2, 11025, 16},      {1, 0, 16},           {1, 11025, 0},
        {1, 11025, -16},        {1, 11025, 12},       {2, 44100, 7},        {65536, 8000, 8},
        {1, 8000, 65536},       {4096, 8000, 128},    {32768, 8000, 16},    {2, 0x80000000u, 16},
        {1, 0xFFFFFFFFu, 16},   {1, 1, 16},           {1, 99, 16},          {1, 200001, 16},
        {1, 1000000, 16},       {1, 11025, 40},       {1, 11025, 48},       {1, 11025, 64},
        {16384, 65535, 32},
    };
    for (const RecordingFormat& wanted : refused) {
        WAVEFORMATEX record{};
        record.nChannels = 7;
        EXPECT_FALSE(RecordableWaveFormat(wanted, &record)) << wanted.channels << " channels, "
                                                            << wanted.samplesPerSecond << " Hz, "
                                                            << wanted.bitsPerSample << " bits";
        EXPECT_EQ(record.nChannels, 7);
    }
}

}  // namespace
