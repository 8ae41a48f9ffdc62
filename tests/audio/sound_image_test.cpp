#include <cstring>
#include <vector>

#include "audio/wave_image_parser.h"
#include "audio_test_fixture.h"

namespace {

uint32_t ReadU32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) | (static_cast<uint32_t>(at[2]) << 16) |
           (static_cast<uint32_t>(at[3]) << 24);
}

uint16_t ReadU16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

class SoundImageTest : public AudioDeviceTest {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        OpenDefault();
    }

    void TearDown() override {
        AudioDeviceTest::TearDown();
        EXPECT_EQ(marlowsim::LiveGlobalBlocks(), 0);
    }

};

TEST_F(SoundImageTest, FullTakeBecomesAWaveImageWithA48ByteHeader) {
    RecordFullTake(10000);
    ASSERT_EQ(device->takeBytes, 220500u);
    HGLOBAL image = device->SoundImage();
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(Succeeded(device->status));
    EXPECT_EQ(GlobalSize(image), 220548u);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(image));
    EXPECT_EQ(std::memcmp(bytes, "RIFF", 4), 0);
    EXPECT_EQ(ReadU32(bytes + 4), 220540u);
    EXPECT_EQ(std::memcmp(bytes + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(ReadU32(bytes + 16), 20u);
    EXPECT_EQ(ReadU16(bytes + 20), 1);
    EXPECT_EQ(ReadU16(bytes + 22), 1);
    EXPECT_EQ(ReadU32(bytes + 24), 11025u);
    EXPECT_EQ(ReadU32(bytes + 28), 22050u);
    EXPECT_EQ(ReadU16(bytes + 32), 2);
    EXPECT_EQ(ReadU16(bytes + 34), 16);
    EXPECT_EQ(ReadU32(bytes + 36), 0u);
    EXPECT_EQ(std::memcmp(bytes + 40, "data", 4), 0);
    EXPECT_EQ(ReadU32(bytes + 44), 220500u);
    const std::vector<uint8_t> take = HeldTake();
    EXPECT_EQ(std::memcmp(bytes + 48, take.data(), take.size()), 0);
    GlobalUnlock(image);
    GlobalFree(image);
}

TEST_F(SoundImageTest, OddTakeGetsNoPadAndTheFormatItWasRecordedIn) {
    device->SetFormat(2, 22.05f, 8, "");
    RecordFullTake(1000);
    device->takeBytes = 1001;
    device->SetFormat(1, 8.0f, 16, "");
    HGLOBAL image = device->SoundImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(GlobalSize(image), 1049u);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(image));
    EXPECT_EQ(ReadU32(bytes + 4), 1041u);
    EXPECT_EQ(ReadU16(bytes + 22), 2);
    EXPECT_EQ(ReadU32(bytes + 24), 22050u);
    EXPECT_EQ(ReadU32(bytes + 28), 44100u);
    EXPECT_EQ(ReadU16(bytes + 32), 2);
    EXPECT_EQ(ReadU16(bytes + 34), 8);
    EXPECT_EQ(ReadU32(bytes + 44), 1001u);
    GlobalUnlock(image);
    GlobalFree(image);
}

TEST_F(SoundImageTest, TrimLeavesOutTheFrontAndTheBack) {
    RecordFullTake(100);
    const std::vector<uint8_t> take = HeldTake();
    HGLOBAL image = nullptr;
    EXPECT_TRUE(Succeeded(device->MakeSoundImage(10, 30, &image)));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(GlobalSize(image), take.size() - 40 + 48);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(image));
    EXPECT_EQ(ReadU32(bytes + 44), take.size() - 40);
    EXPECT_EQ(std::memcmp(bytes + 48, take.data() + 10, take.size() - 40), 0);
    GlobalUnlock(image);
    GlobalFree(image);
}

TEST_F(SoundImageTest, TrimLongerThanTheTakeIsRefusedBeforeAllocating) {
    RecordFullTake(100);
    HGLOBAL image = nullptr;
    EXPECT_TRUE(FailedWith(device->MakeSoundImage(device->takeBytes, 1, &image), "Cannot trim more than the whole sound",
                           -1));
    EXPECT_EQ(image, nullptr);
    EXPECT_TRUE(device->MakeSoundImage(0xFFFFFFFFu, 0xFFFFFFFFu, &image).failed);
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::GlobalAlloc), 0);
    // The whole take trimmed away is an empty but well-formed image.
    EXPECT_TRUE(Succeeded(device->MakeSoundImage(device->takeBytes, 0, &image)));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(GlobalSize(image), 48u);
    GlobalFree(image);
}

TEST_F(SoundImageTest, NoImageWhileCapturingOrWithoutATake) {
    EXPECT_EQ(device->SoundImage(), nullptr);
    EXPECT_TRUE(FailedWith(device->status, "No sound to trim", -1));
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    EXPECT_EQ(device->SoundImage(), nullptr);
    EXPECT_TRUE(FailedWith(device->status, "Cannot trim a sound while still capturing", -1));
    device->SetLevelMetering(false, 50);
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    EXPECT_EQ(device->SoundImage(), nullptr);
    EXPECT_TRUE(FailedWith(device->status, "Cannot trim a sound while still capturing", -1));
}

TEST_F(SoundImageTest, TakeWhoseBufferIsGoneIsNoTake) {
    RecordFullTake(500);
    device->Close();
    EXPECT_EQ(device->SoundImage(), nullptr);
    EXPECT_TRUE(FailedWith(device->status, "No sound to trim", -1));
    EXPECT_EQ(device->takeBytes, 11024u);
}

TEST_F(SoundImageTest, AllocationFailureIsReported) {
    RecordFullTake(500);
    marlowsim::InjectFault(marlowsim::Call::GlobalAlloc, E_OUTOFMEMORY);
    EXPECT_EQ(device->SoundImage(), nullptr);
    EXPECT_TRUE(FailedWith(device->status, "Could not allocate enough memory for new timmed sound", -1));
}

TEST_F(SoundImageTest, UnlockableTakeGivesNoImageAndFreesTheBlock) {
    RecordFullTakeLeftInItsBuffer(500);
    marlowsim::InjectFault(marlowsim::Call::CaptureLock, DSERR_INVALIDCALL);
    EXPECT_EQ(device->SoundImage(), nullptr);
    EXPECT_TRUE(Succeeded(device->status));
    EXPECT_EQ(marlowsim::LiveGlobalBlocks(), 0);
}

// ---- the parser ---------------------------------------------------------

class WaveImage {
public:
    WaveImage() {
        Append("RIFF");
        AppendU32(0);
        Append("WAVE");
    }
    WaveImage& Chunk(const char* id, std::vector<uint8_t> body, bool pad = true) {
        Append(id);
        AppendU32(static_cast<uint32_t>(body.size()));
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        if (pad && body.size() % 2 == 1) {
            bytes_.push_back(0);
        }
        return *this;
    }
    const std::vector<uint8_t>& Bytes() {
        const uint32_t riff = static_cast<uint32_t>(bytes_.size() - 8);
        std::memcpy(&bytes_[4], &riff, 4);
        return bytes_;
    }

private:
    void Append(const char* tag) { bytes_.insert(bytes_.end(), tag, tag + 4); }
    void AppendU32(uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    }
    std::vector<uint8_t> bytes_;
};

struct ParsedImage {
    const char* failure;
    const uint8_t* format;
    const uint8_t* data;
    uint32_t dataLength;
};

ParsedImage Parse(const std::vector<uint8_t>& image) {
    ParsedImage parsed{};
    const WaveImageChunks wanted{&parsed.format, &parsed.data, &parsed.dataLength};
    parsed.failure = ParseWaveImage(image.data(), image.size(), wanted);
    return parsed;
}

TEST(WaveImageParserTest, SkipsUnknownChunksAndHonoursOddPadding) {
    WaveImage image;
    image.Chunk("fmt ", std::vector<uint8_t>(16, 1)).Chunk("fact", {4, 0, 0, 0}).Chunk("junk", {9, 9, 9});
    image.Chunk("data", {1, 2, 3, 4, 5});
    const std::vector<uint8_t>& bytes = image.Bytes();
    const ParsedImage parsed = Parse(bytes);
    EXPECT_EQ(parsed.failure, nullptr);
    EXPECT_EQ(parsed.format, bytes.data() + 20);
    ASSERT_NE(parsed.data, nullptr);
    EXPECT_EQ(parsed.dataLength, 5u);
    EXPECT_EQ(parsed.data[0], 1);
    EXPECT_EQ(parsed.data[4], 5);
}

TEST(WaveImageParserTest, RefusesWhatIsNoWaveImage) {
    WaveImage noData;
    noData.Chunk("fmt ", std::vector<uint8_t>(16, 0)).Chunk("fact", {0, 0, 0, 0});
    EXPECT_STREQ(Parse(noData.Bytes()).failure, "Could not parse sound");

    WaveImage shortFormat;
    shortFormat.Chunk("fmt ", std::vector<uint8_t>(12, 0)).Chunk("data", {1});
    EXPECT_STREQ(Parse(shortFormat.Bytes()).failure, "Parsing sound error - not a WAV, header length wrong");

    std::vector<uint8_t> notRiff = WaveImage().Chunk("data", {1, 2}).Bytes();
    notRiff[0] = 'X';
    EXPECT_STREQ(Parse(notRiff).failure, "Parsing sound error - not a RIFF");
    std::vector<uint8_t> notWave = WaveImage().Chunk("data", {1, 2}).Bytes();
    std::memcpy(&notWave[8], "AVI ", 4);
    const ParsedImage parsed = Parse(notWave);
    EXPECT_STREQ(parsed.failure, "Parsing sound error - not a WAV");
    EXPECT_EQ(parsed.data, nullptr);
    EXPECT_EQ(parsed.dataLength, 0u);
}

TEST(WaveImageParserTest, ReadsNothingPastTheImage) {
    WaveImage image;
    image.Chunk("fmt ", std::vector<uint8_t>(16, 0)).Chunk("data", std::vector<uint8_t>(8, 0));
    std::vector<uint8_t> bytes = image.Bytes();
    const uint32_t overstated = 0x7FFFFFF0u;
    std::memcpy(&bytes[bytes.size() - 12], &overstated, 4);  // the data chunk's size
    EXPECT_STREQ(Parse(bytes).failure, "Could not parse sound");
    // A RIFF size larger than the image stops the walk at the image's end.
    std::vector<uint8_t> truncated = WaveImage().Chunk("fmt ", std::vector<uint8_t>(16, 0)).Bytes();
    const uint32_t riff = 0xFFFFFFF0u;
    std::memcpy(&truncated[4], &riff, 4);
    EXPECT_STREQ(Parse(truncated).failure, "Could not parse sound");
}

TEST(WaveImageParserTest, StopsAtTheFormatWhenOnlyItIsWanted) {
    WaveImage image;
    image.Chunk("fmt ", std::vector<uint8_t>(16, 0));
    const std::vector<uint8_t>& bytes = image.Bytes();
    const uint8_t* format = nullptr;
    const WaveImageChunks wanted{&format, nullptr, nullptr};
    EXPECT_EQ(ParseWaveImage(bytes.data(), bytes.size(), wanted), nullptr);
    EXPECT_EQ(format, bytes.data() + 20);
}

}  // namespace
