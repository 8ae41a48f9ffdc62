#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/utf8_text.h"
#include "platform/windows_api.h"

namespace {

constexpr DWORD kCreateFlags = MMIO_ALLOCBUF | MMIO_READWRITE | MMIO_CREATE;

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "marlow_mmio_" + std::to_string(getpid()) + "_" + name;
}

std::u16string Wide(const std::string& path) {
    std::u16string wide;
    marlowcp::WideOfUtf8(path, &wide);
    return wide;
}

HMMIO Open(const std::string& path, DWORD flags = kCreateFlags, MMIOINFO* info = nullptr) {
    std::u16string name = Wide(path);
    return mmioOpenW(&name[0], info, flags);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

uint32_t At32(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

std::string IdAt(const std::vector<uint8_t>& bytes, size_t at) {
    return std::string(reinterpret_cast<const char*>(bytes.data() + at), 4);
}

struct WriteResults {
    MMRESULT advance = MMSYSERR_NOERROR;
    MMRESULT ascendData = MMSYSERR_NOERROR;
    MMRESULT findFact = MMSYSERR_NOERROR;
    MMRESULT close = MMSYSERR_NOERROR;
};

// A RIFF/WAVE file written chunk by chunk, the samples byte by byte through
// the file's own I/O buffer, as the Xtra's writer does it.
WriteResults WriteWave(HMMIO file, const std::vector<uint8_t>& samples) {
    WriteResults results;
    const WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 11025, 22050, 2, 16, 0};
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    mmioCreateChunk(file, &riff, MMIO_CREATERIFF);
    MMCKINFO chunk{mmioFOURCC('f', 'm', 't', ' '), 16, 0, 0, 0};
    mmioCreateChunk(file, &chunk, 0);
    mmioWrite(file, reinterpret_cast<const char*>(&format), 16);
    mmioAscend(file, &chunk, 0);
    MMCKINFO fact{mmioFOURCC('f', 'a', 'c', 't'), 0, 0, 0, 0};
    mmioCreateChunk(file, &fact, 0);
    const DWORD placeholder = 0xFFFFFFFF;
    mmioWrite(file, reinterpret_cast<const char*>(&placeholder), 4);
    mmioAscend(file, &fact, 0);

    chunk = {mmioFOURCC('d', 'a', 't', 'a'), 0, 0, 0, 0};
    mmioCreateChunk(file, &chunk, 0);
    MMIOINFO io{};
    mmioGetInfo(file, &io, 0);
    for (uint8_t byte : samples) {
        if (io.pchNext == io.pchEndWrite) {
            io.dwFlags |= MMIO_DIRTY;
            results.advance = mmioAdvance(file, &io, MMIO_WRITE);
            if (results.advance != MMSYSERR_NOERROR) break;
        }
        *io.pchNext++ = static_cast<char>(byte);
    }
    io.dwFlags |= MMIO_DIRTY;
    mmioSetInfo(file, &io, 0);
    results.ascendData = mmioAscend(file, &chunk, 0);
    mmioAscend(file, &riff, 0);

    mmioSeek(file, 0, SEEK_SET);
    mmioDescend(file, &riff, nullptr, 0);
    fact.ckid = mmioFOURCC('f', 'a', 'c', 't');
    results.findFact = mmioDescend(file, &fact, &riff, MMIO_FINDCHUNK);
    if (results.findFact == MMSYSERR_NOERROR) {
        const DWORD sampleCount = 0;
        mmioWrite(file, reinterpret_cast<const char*>(&sampleCount), 4);
        mmioAscend(file, &fact, 0);
    }
    mmioAscend(file, &riff, 0);
    results.close = mmioClose(file, 0);
    return results;
}

std::vector<uint8_t> Pattern(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    return bytes;
}

}  // namespace

// More data than one I/O buffer holds, odd in length: sizes filled in, one
// pad byte, the placeholder found by MMIO_FINDCHUNK and overwritten.
TEST(PlatformMmio, WaveWrittenThroughTheBufferHasItsSizesAndPad) {
    const std::string path = TempPath("odd.wav");
    const std::vector<uint8_t> samples = Pattern(200001);
    HMMIO file = Open(path);
    ASSERT_NE(file, nullptr);
    const WriteResults results = WriteWave(file, samples);
    EXPECT_EQ(results.advance, MMSYSERR_NOERROR);
    EXPECT_EQ(results.findFact, MMSYSERR_NOERROR);
    EXPECT_EQ(results.close, MMSYSERR_NOERROR);

    const std::vector<uint8_t> bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 56u + 200001u + 1u);
    EXPECT_EQ(IdAt(bytes, 0), "RIFF");
    EXPECT_EQ(At32(bytes, 4), 200001u + 48u + 1u);
    EXPECT_EQ(IdAt(bytes, 8), "WAVE");
    EXPECT_EQ(IdAt(bytes, 12), "fmt ");
    EXPECT_EQ(At32(bytes, 16), 16u);
    EXPECT_EQ(At32(bytes, 24), 11025u);
    EXPECT_EQ(IdAt(bytes, 36), "fact");
    EXPECT_EQ(At32(bytes, 40), 4u);
    EXPECT_EQ(At32(bytes, 44), 0u);
    EXPECT_EQ(IdAt(bytes, 48), "data");
    EXPECT_EQ(At32(bytes, 52), 200001u);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), bytes.begin() + 56));
    EXPECT_EQ(bytes.back(), 0);
    unlink(path.c_str());
}

TEST(PlatformMmio, EvenDataGetsNoPadAndRewritingReplacesTheFile) {
    const std::string path = TempPath("even.wav");
    ASSERT_EQ(WriteWave(Open(path), Pattern(30000)).close, MMSYSERR_NOERROR);
    ASSERT_EQ(WriteWave(Open(path), Pattern(1000)).close, MMSYSERR_NOERROR);
    const std::vector<uint8_t> bytes = ReadFile(path);
    EXPECT_EQ(bytes.size(), 56u + 1000u);
    EXPECT_EQ(At32(bytes, 4), 1048u);
    unlink(path.c_str());
}

TEST(PlatformMmio, DescendFindsChunksOnlyInsideTheParent) {
    const std::string path = TempPath("find.wav");
    WriteWave(Open(path), Pattern(10));
    HMMIO file = Open(path, MMIO_ALLOCBUF | MMIO_READ);
    ASSERT_NE(file, nullptr);
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.cksize, 10u + 48u);
    EXPECT_EQ(riff.dwDataOffset, 8u);

    MMCKINFO data{mmioFOURCC('d', 'a', 't', 'a'), 0, 0, 0, 0};
    ASSERT_EQ(mmioDescend(file, &data, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    EXPECT_EQ(data.cksize, 10u);
    EXPECT_EQ(data.dwDataOffset, 56u);
    char first[3] = {};
    EXPECT_EQ(mmioRead(file, first, 3), 3);
    EXPECT_EQ(static_cast<uint8_t>(first[1]), 10);
    EXPECT_EQ(mmioAscend(file, &data, 0), MMSYSERR_NOERROR);

    mmioSeek(file, 12, SEEK_SET);
    MMCKINFO list{mmioFOURCC('L', 'I', 'S', 'T'), 0, 0, 0, 0};
    EXPECT_EQ(mmioDescend(file, &list, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
    unlink(path.c_str());
}

// A full device: the failure is answered, not swallowed.
TEST(PlatformMmio, WritesToAFullDeviceAreReported) {
    HMMIO file = Open("/dev/full");
    ASSERT_NE(file, nullptr);
    MMCKINFO chunk{mmioFOURCC('f', 'm', 't', ' '), 16, 0, 0, 0};
    ASSERT_EQ(mmioCreateChunk(file, &chunk, 0), MMSYSERR_NOERROR);
    mmioWrite(file, "0123456789abcdef", 16);
    EXPECT_EQ(mmioAscend(file, &chunk, 0), MMIOERR_CANNOTWRITE);

    MMIOINFO io{};
    ASSERT_EQ(mmioGetInfo(file, &io, 0), MMSYSERR_NOERROR);
    ASSERT_NE(io.pchBuffer, nullptr);
    while (io.pchNext < io.pchEndWrite) *io.pchNext++ = 'x';
    io.dwFlags |= MMIO_DIRTY;
    EXPECT_EQ(mmioAdvance(file, &io, MMIO_WRITE), MMIOERR_CANNOTWRITE);
    EXPECT_NE(mmioClose(file, 0), MMSYSERR_NOERROR);

    WriteResults results = WriteWave(Open("/dev/full"), Pattern(200000));
    EXPECT_EQ(results.advance, MMIOERR_CANNOTWRITE);
    EXPECT_NE(results.close, MMSYSERR_NOERROR);
}

TEST(PlatformMmio, MissingDirectoryGivesNoFile) {
    MMIOINFO info{};
    const std::string missing = TempPath("no_such_dir") + "/take.wav";
    EXPECT_EQ(Open(missing, kCreateFlags, &info), nullptr);
    EXPECT_NE(info.wErrorRet, MMSYSERR_NOERROR);
}

TEST(PlatformMmio, ReadOnlyDirectoryGivesNoFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
    const std::string directory = TempPath("read_only");
    ASSERT_EQ(mkdir(directory.c_str(), 0555), 0);
    const std::string inside = directory + "/take.wav";
    EXPECT_EQ(Open(inside), nullptr);
    rmdir(directory.c_str());
}
