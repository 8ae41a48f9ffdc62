#include "audio/wav_file_writer.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr LONG kFormatBytes = 16;

}  // namespace

WavFileWriter::~WavFileWriter() {
    if (file_ != nullptr) {
        mmioClose(file_, 0);
    }
}

int32_t WavFileWriter::BeginFile(const WCHAR* path, const WAVEFORMATEX& format) {
    // The file is made here and its handle given to mmio: Wine's mmioOpenW
    // passes the name through the ANSI code page, which loses characters.
    const HANDLE handle = path != nullptr ? CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                                           : INVALID_HANDLE_VALUE;
    if (handle == INVALID_HANDLE_VALUE) {
        return kWriteFailed;
    }
    MMIOINFO opening{};
    opening.fccIOProc = FOURCC_DOS;
    opening.adwInfo[0] = static_cast<DWORD>(reinterpret_cast<uintptr_t>(handle));
    // From here mmioClose closes the handle.
    file_ = mmioOpenW(nullptr, &opening, MMIO_ALLOCBUF | MMIO_READWRITE);
    if (file_ == nullptr) {
        CloseHandle(handle);
        return kWriteFailed;
    }
    riff_ = MMCKINFO{};
    riff_.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    riff_.cksize = 0;
    const MMRESULT created = mmioCreateChunk(file_, &riff_, MMIO_CREATERIFF);
    if (created != MMSYSERR_NOERROR) {
        return static_cast<int32_t>(created);
    }
    // The first 16 bytes of the format record: no extra size.
    const int32_t formatWritten = WriteChunk(mmioFOURCC('f', 'm', 't', ' '), kFormatBytes, &format, kFormatBytes);
    if (formatWritten != 0) {
        return formatWritten;
    }
    // The sample count is put in when the file is ended.
    const uint32_t placeholder = 0xFFFFFFFFu;
    return WriteChunk(mmioFOURCC('f', 'a', 'c', 't'), 0, &placeholder, sizeof placeholder);
}

int32_t WavFileWriter::WriteChunk(FOURCC id, DWORD declaredSize, const void* body, LONG bytes) {
    chunk_ = MMCKINFO{};
    chunk_.ckid = id;
    chunk_.cksize = declaredSize;
    const MMRESULT created = mmioCreateChunk(file_, &chunk_, 0);
    if (created != MMSYSERR_NOERROR) {
        return static_cast<int32_t>(created);
    }
    if (mmioWrite(file_, static_cast<const char*>(body), bytes) != bytes) {
        return kWriteFailed;
    }
    const MMRESULT closed = mmioAscend(file_, &chunk_, 0);
    if (closed != MMSYSERR_NOERROR) {
        return id == mmioFOURCC('f', 'a', 'c', 't') ? kWriteFailed : static_cast<int32_t>(closed);
    }
    return 0;
}

int32_t WavFileWriter::BeginDataChunk() {
    if (file_ == nullptr) {
        return kWriteFailed;
    }
    chunk_ = MMCKINFO{};
    chunk_.ckid = mmioFOURCC('d', 'a', 't', 'a');
    chunk_.cksize = 0;
    const MMRESULT created = mmioCreateChunk(file_, &chunk_, 0);
    if (created != MMSYSERR_NOERROR) {
        return static_cast<int32_t>(created);
    }
    const MMRESULT taken = mmioGetInfo(file_, &buffer_, 0);
    if (taken != MMSYSERR_NOERROR) {
        return static_cast<int32_t>(taken);
    }
    bufferTaken_ = true;
    return 0;
}

int32_t WavFileWriter::Write(const uint8_t* bytes, uint32_t count) {
    if (!bufferTaken_) {
        return kWriteFailed;
    }
    uint32_t written = 0;
    while (written < count) {
        if (buffer_.pchNext >= buffer_.pchEndWrite) {
            buffer_.dwFlags |= MMIO_DIRTY;
            const MMRESULT advanced = mmioAdvance(file_, &buffer_, MMIO_WRITE);
            if (advanced != MMSYSERR_NOERROR) {
                return static_cast<int32_t>(advanced);
            }
            if (buffer_.pchNext >= buffer_.pchEndWrite) {
                return kWriteFailed;
            }
        }
        // As much as the I/O buffer still takes, in one piece.
        const uint32_t room = static_cast<uint32_t>(buffer_.pchEndWrite - buffer_.pchNext);
        const uint32_t piece = count - written < room ? count - written : room;
        std::memcpy(buffer_.pchNext, bytes + written, piece);
        buffer_.pchNext += piece;
        written += piece;
    }
    return 0;
}

int32_t WavFileWriter::EndFile(uint32_t sampleCount) {
    if (file_ == nullptr) {
        return kWriteFailed;
    }
    const int32_t finished = FinishChunks(sampleCount);
    const int32_t closed = Abandon();
    return finished != 0 ? finished : closed;
}

int32_t WavFileWriter::Abandon() {
    if (file_ == nullptr) {
        return kWriteFailed;
    }
    const MMRESULT closed = mmioClose(file_, 0);
    file_ = nullptr;
    bufferTaken_ = false;
    return static_cast<int32_t>(closed);
}

int32_t WavFileWriter::FinishChunks(uint32_t sampleCount) {
    if (bufferTaken_) {
        buffer_.dwFlags |= MMIO_DIRTY;
        const MMRESULT handedBack = mmioSetInfo(file_, &buffer_, 0);
        bufferTaken_ = false;
        if (handedBack != MMSYSERR_NOERROR) {
            return static_cast<int32_t>(handedBack);
        }
    }
    const MMRESULT dataClosed = mmioAscend(file_, &chunk_, 0);
    if (dataClosed != MMSYSERR_NOERROR) {
        return static_cast<int32_t>(dataClosed);
    }
    const MMRESULT riffClosed = mmioAscend(file_, &riff_, 0);
    if (riffClosed != MMSYSERR_NOERROR) {
        return static_cast<int32_t>(riffClosed);
    }
    const LONG start = mmioSeek(file_, 0, SEEK_SET);
    if (start != 0) {
        return kWriteFailed;
    }
    const MMRESULT descended = mmioDescend(file_, &riff_, nullptr, 0);
    if (descended != MMSYSERR_NOERROR) {
        return static_cast<int32_t>(descended);
    }
    fact_ = MMCKINFO{};
    fact_.ckid = mmioFOURCC('f', 'a', 'c', 't');
    if (mmioDescend(file_, &fact_, &riff_, MMIO_FINDCHUNK) == MMSYSERR_NOERROR) {
        if (mmioWrite(file_, reinterpret_cast<const char*>(&sampleCount), sizeof sampleCount) !=
            static_cast<LONG>(sizeof sampleCount)) {
            return kWriteFailed;
        }
        const MMRESULT factClosed = mmioAscend(file_, &fact_, 0);
        if (factClosed != MMSYSERR_NOERROR) {
            return static_cast<int32_t>(factClosed);
        }
    }
    const MMRESULT left = mmioAscend(file_, &riff_, 0);
    return static_cast<int32_t>(left);
}
