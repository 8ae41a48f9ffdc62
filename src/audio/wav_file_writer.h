// Writes one RIFF/WAVE file through the multimedia file services: a 16-byte
// "fmt " chunk, a "fact" chunk and the "data" chunk, the samples going
// through the file's own I/O buffer.
#pragma once

#include <cstdint>

#include "platform/windows_api.h"

class WavFileWriter {
public:
    // Each step answers 0, the failing file call's own code, or this code
    // when the file cannot be opened, a header write comes out short or the
    // placeholder chunk cannot be closed.
    static constexpr int32_t kWriteFailed = 57604;

    WavFileWriter() = default;
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;
    // Never leaves the file open.
    ~WavFileWriter();

    // Creates or truncates path and writes everything before the samples
    // but the "data" chunk. After a failure the file may still be open.
    int32_t BeginFile(const WCHAR* path, const WAVEFORMATEX& format);
    int32_t BeginDataChunk();
    int32_t Write(const uint8_t* bytes, uint32_t count);
    // Closes the chunks, puts sampleCount into the "fact" chunk and closes
    // the file; the close runs whenever the file is open.
    int32_t EndFile(uint32_t sampleCount);
    // Closes the file as it is, after a step failed.
    int32_t Abandon();
    bool IsOpen() const { return file_ != nullptr; }

private:
    int32_t WriteChunk(FOURCC id, DWORD declaredSize, const void* body, LONG bytes);
    int32_t FinishChunks(uint32_t sampleCount);

    HMMIO file_ = nullptr;
    MMCKINFO riff_{};
    MMCKINFO chunk_{};
    MMCKINFO fact_{};
    MMIOINFO buffer_{};
    bool bufferTaken_ = false;
};
