#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/wav_file_writer.h"
#include "audio_test_fixture.h"

namespace {

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint16_t ReadU16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a shell command prints, without its last line break.
std::string CommandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) {
            output += chunk;
        }
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return output;
}

class WavFileTest : public AudioDeviceTest {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        char pattern[] = "/tmp/marlowtide_wav_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
        OpenDefault();
    }

    void TearDown() override {
        AudioDeviceTest::TearDown();
        std::error_code ignored;
        std::filesystem::permissions(directory, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(directory, ignored);
    }

    std::string PathOf(const char* name) const { return directory + "/" + name; }

    std::string directory;
};

TEST_F(WavFileTest, FullTakeIsWrittenWithFormatFactAndDataChunks) {
    RecordFullTake(10000);
    const std::string path = PathOf("take.wav");
    ASSERT_TRUE(Succeeded(device->SaveAsFile(path.c_str())));
    const std::vector<uint8_t> file = ReadFile(path);
    ASSERT_EQ(file.size(), 220556u);
    EXPECT_EQ(std::memcmp(file.data(), "RIFF", 4), 0);
    EXPECT_EQ(ReadU32(file, 4), 220548u);
    EXPECT_EQ(std::memcmp(file.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(ReadU32(file, 16), 16u);
    EXPECT_EQ(ReadU16(file, 20), 1);
    EXPECT_EQ(ReadU16(file, 22), 1);
    EXPECT_EQ(ReadU32(file, 24), 11025u);
    EXPECT_EQ(ReadU32(file, 28), 22050u);
    EXPECT_EQ(ReadU16(file, 32), 2);
    EXPECT_EQ(ReadU16(file, 34), 16);
    EXPECT_EQ(std::memcmp(file.data() + 36, "fact", 4), 0);
    EXPECT_EQ(ReadU32(file, 40), 4u);
    EXPECT_EQ(ReadU32(file, 44), 0u);
    EXPECT_EQ(std::memcmp(file.data() + 48, "data", 4), 0);
    EXPECT_EQ(ReadU32(file, 52), 220500u);
    const std::vector<uint8_t> take = HeldTake();
    EXPECT_EQ(std::memcmp(file.data() + 56, take.data(), take.size()), 0);
}

TEST_F(WavFileTest, OddTakeGetsAPadByteAndSavingAgainReplacesTheFile) {
    RecordFullTake(10000);
    const std::string path = PathOf("take.wav");
    ASSERT_TRUE(Succeeded(device->SaveAsFile(path.c_str())));
    device->takeBytes = 1001;
    ASSERT_TRUE(Succeeded(device->SaveAsFile(path.c_str())));
    const std::vector<uint8_t> file = ReadFile(path);
    ASSERT_EQ(file.size(), 1058u);
    EXPECT_EQ(ReadU32(file, 4), 1050u);
    EXPECT_EQ(ReadU32(file, 52), 1001u);
    EXPECT_EQ(file[1057], 0);
}

// A format set after the take, even one of no channels, is for the next
// recording: the file is labelled as the take was recorded.
TEST_F(WavFileTest, TheTakeIsSavedInTheFormatItWasRecordedIn) {
    device->SetFormat(2, 44.1f, 16, "");
    RecordFullTake(500);
    const std::string path = PathOf("take.wav");
    for (const int32_t channels : {1, 0}) {
        device->SetFormat(channels, 11.025f, 8, "");
        ASSERT_TRUE(Succeeded(device->SaveAsFile(path.c_str())));
        const std::vector<uint8_t> file = ReadFile(path);
        ASSERT_EQ(file.size(), 88200u + 56u);
        EXPECT_EQ(ReadU16(file, 22), 2);
        EXPECT_EQ(ReadU32(file, 24), 44100u);
        EXPECT_EQ(ReadU32(file, 28), 176400u);
        EXPECT_EQ(ReadU16(file, 32), 4);
        EXPECT_EQ(ReadU16(file, 34), 16);
    }
}

TEST_F(WavFileTest, NothingIsWrittenWhileCapturingOrWithoutATake) {
    const std::string path = PathOf("none.wav");
    EXPECT_TRUE(FailedWith(device->SaveAsFile(path.c_str()), "No sound to save", -1));
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    EXPECT_TRUE(FailedWith(device->SaveAsFile(path.c_str()), "Cannot save a sound while still capturing", -1));
    device->StopCapture();
    ASSERT_TRUE(Succeeded(device->SetLevelMetering(true, 50)));
    EXPECT_TRUE(FailedWith(device->SaveAsFile(path.c_str()), "Cannot save a sound while still capturing", -1));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WavFileTest, TakeWhoseBufferIsGoneIsNoTake) {
    RecordFullTake(500);
    device->Close();
    const std::string path = PathOf("gone.wav");
    EXPECT_TRUE(FailedWith(device->SaveAsFile(path.c_str()), "No sound to save", -1));
    EXPECT_EQ(device->takeBytes, 11024u);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WavFileTest, FileThatCannotBeCreatedIsReportedAndTheTakeStays) {
    RecordFullTake(500);
    const std::string missing = PathOf("no/such/directory/take.wav");
    EXPECT_TRUE(FailedWith(device->SaveAsFile(missing.c_str()), "Could not create sound file",
                           WavFileWriter::kWriteFailed));
    const std::string good = PathOf("take.wav");
    EXPECT_TRUE(Succeeded(device->SaveAsFile(good.c_str())));
    EXPECT_EQ(ReadFile(good).size(), 11024u + 56u);
}

TEST_F(WavFileTest, ReadOnlyDirectoryIsReported) {
    const std::string readOnly = PathOf("locked");
    ASSERT_EQ(mkdir(readOnly.c_str(), 0555), 0);
    std::string target = readOnly + "/take.wav";
    if (access(readOnly.c_str(), W_OK) == 0) {
        // The superuser writes into any directory; the kernel's own
        // file system refuses new files even to it.
        target = "/sys/marlowtide_take.wav";
        if (access("/sys", W_OK) != 0 || std::filesystem::exists(target)) {
            GTEST_SKIP() << "no read-only directory at hand";
        }
    }
    RecordFullTake(500);
    EXPECT_TRUE(FailedWith(device->SaveAsFile(target.c_str()), "Could not create sound file",
                           WavFileWriter::kWriteFailed));
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(WavFileTest, FullDeviceIsAWriteFailure) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    RecordFullTake(2000);
    const StatusRecord answer = device->SaveAsFile("/dev/full");
    EXPECT_TRUE(answer.failed);
    EXPECT_STREQ(answer.message, "Could not write sound file");
    EXPECT_NE(answer.code, 0);
    const std::string good = PathOf("take.wav");
    EXPECT_TRUE(Succeeded(device->SaveAsFile(good.c_str())));
    EXPECT_EQ(ReadFile(good).size(), 44100u + 56u);
}

TEST_F(WavFileTest, TakeThatCannotBeReadIsAWriteFailure) {
    RecordFullTakeLeftInItsBuffer(500);
    marlowsim::InjectFault(marlowsim::Call::CaptureLock, DSERR_INVALIDCALL);
    const std::string path = PathOf("take.wav");
    EXPECT_TRUE(FailedWith(device->SaveAsFile(path.c_str()), "Could not write sound file", DSERR_INVALIDCALL));
    EXPECT_TRUE(Succeeded(device->SaveAsFile(path.c_str())));
}

TEST_F(WavFileTest, SoxReadsTheFilesBack) {
    if (CommandOutput("command -v soxi").empty()) {
        GTEST_SKIP() << "sox is not installed";
    }
    device->SetFormat(2, 44.1f, 16, "");
    RecordFullTake(1500);
    const std::string stereo = PathOf("stereo.wav");
    ASSERT_TRUE(Succeeded(device->SaveAsFile(stereo.c_str())));
    EXPECT_EQ(system(("sox --i '" + stereo + "' >/dev/null 2>&1").c_str()), 0);
    EXPECT_EQ(CommandOutput("soxi -r '" + stereo + "'"), "44100");
    EXPECT_EQ(CommandOutput("soxi -c '" + stereo + "'"), "2");
    EXPECT_EQ(CommandOutput("soxi -b '" + stereo + "'"), "16");
    EXPECT_EQ(CommandOutput("soxi -D '" + stereo + "'"), "1.500000");

    device->SetFormat(1, 8.0f, 8, "");
    RecordFullTake(1001);  // 8008 bytes
    device->takeBytes = 8001;  // odd: the file ends in a pad byte
    const std::string mono = PathOf("mono.wav");
    ASSERT_TRUE(Succeeded(device->SaveAsFile(mono.c_str())));
    EXPECT_EQ(CommandOutput("soxi -r '" + mono + "'"), "8000");
    EXPECT_EQ(CommandOutput("soxi -c '" + mono + "'"), "1");
    EXPECT_EQ(CommandOutput("soxi -b '" + mono + "'"), "8");
    EXPECT_EQ(CommandOutput("soxi -s '" + mono + "'"), "8001");
}

}  // namespace
