// memberInfo reads the member's WAV media; the sizes inside come from the
// media and must not lead the reader outside it.
#include <gtest/gtest.h>

#include <cstring>

#include "wav_summary.h"

namespace {

using marlowhost::ReadWavSummary;
using marlowhost::WavSummary;

void Put32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void Put16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}
void PutTag(std::vector<uint8_t>& bytes, const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }

// A PCM image; fmtExtra bytes of cbSize data after the 16-byte format.
std::vector<uint8_t> Image(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t dataBytes, uint32_t declaredData,
                           uint16_t fmtExtra = 2) {
    std::vector<uint8_t> bytes;
    PutTag(bytes, "RIFF");
    Put32(bytes, 0);
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    Put32(bytes, 16u + fmtExtra);
    Put16(bytes, 1);
    Put16(bytes, channels);
    Put32(bytes, rate);
    uint16_t block = static_cast<uint16_t>(channels * bits / 8);
    Put32(bytes, rate * block);
    Put16(bytes, block);
    Put16(bytes, bits);
    bytes.insert(bytes.end(), fmtExtra, 0);
    PutTag(bytes, "data");
    Put32(bytes, declaredData);
    bytes.insert(bytes.end(), dataBytes, 0x80);
    return bytes;
}

TEST(WavSummary, ReadsFormatAndDuration) {
    WavSummary summary;
    ASSERT_TRUE(ReadWavSummary(Image(1, 11025, 16, 22050, 22050), &summary));
    EXPECT_EQ(summary.channels, 1);
    EXPECT_EQ(summary.sampleRate, 11025u);
    EXPECT_EQ(summary.bitsPerSample, 16);
    EXPECT_EQ(summary.dataBytes, 22050u);
    EXPECT_EQ(summary.DurationMilliseconds(), 1000u);

    ASSERT_TRUE(ReadWavSummary(Image(2, 44100, 8, 8820, 8820, 0), &summary));
    EXPECT_EQ(summary.DurationMilliseconds(), 100u);
}

TEST(WavSummary, ADataSizeBeyondTheImageCountsOnlyWhatIsThere) {
    WavSummary summary;
    ASSERT_TRUE(ReadWavSummary(Image(1, 8000, 8, 100, 0xFFFFFFF0u), &summary));
    EXPECT_EQ(summary.dataBytes, 100u);
}

TEST(WavSummary, RefusesWhatIsNoWaveImage) {
    WavSummary summary;
    EXPECT_FALSE(ReadWavSummary({}, &summary));
    std::vector<uint8_t> notRiff = Image(1, 8000, 8, 10, 10);
    std::memcpy(notRiff.data(), "RIFX", 4);
    EXPECT_FALSE(ReadWavSummary(notRiff, &summary));
    // A format chunk whose size runs past the end.
    std::vector<uint8_t> truncated = Image(1, 8000, 8, 0, 0);
    truncated.resize(30);
    EXPECT_FALSE(ReadWavSummary(truncated, &summary));
    // A chunk size that would wrap the reader around.
    std::vector<uint8_t> wrapping = Image(1, 8000, 8, 10, 10);
    wrapping[16] = 0xFF;
    wrapping[17] = 0xFF;
    wrapping[18] = 0xFF;
    wrapping[19] = 0xFF;
    EXPECT_FALSE(ReadWavSummary(wrapping, &summary));
}

TEST(WavSummary, NoByteRateGivesNoDuration) {
    WavSummary summary;
    summary.dataBytes = 100;
    EXPECT_EQ(summary.DurationMilliseconds(), 0u);
}

}  // namespace
