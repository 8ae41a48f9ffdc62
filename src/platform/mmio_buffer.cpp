#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/mmio_file.h"

namespace marlowsim::detail {

bool IsBuffered(const HMMIO__& file) { return file.info.pchBuffer != nullptr; }

char* BufferDataEnd(const HMMIO__& file) {
    char* end = std::max(file.info.pchEndRead, file.highWater);
    if (file.info.dwFlags & MMIO_DIRTY) end = std::max(end, file.info.pchNext);
    return end;
}

LONG FilePosition(const HMMIO__& file) {
    if (!IsBuffered(file)) return file.info.lDiskOffset;
    return file.info.lBufOffset + static_cast<LONG>(file.info.pchNext - file.info.pchBuffer);
}

MMRESULT FlushBuffer(HMMIO__& file) {
    MMIOINFO& info = file.info;
    if (!(info.dwFlags & MMIO_DIRTY)) return MMSYSERR_NOERROR;
    char* const end = BufferDataEnd(file);
    const size_t total = static_cast<size_t>(end - info.pchBuffer);
    for (size_t done = 0; done < total;) {
        const ssize_t written = pwrite(file.fd, info.pchBuffer + done, total - done,
                                       info.lBufOffset + static_cast<off_t>(done));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return MMIOERR_CANNOTWRITE;
        done += static_cast<size_t>(written);
    }
    info.dwFlags &= ~MMIO_DIRTY;
    info.pchEndRead = end;
    info.lDiskOffset = info.lBufOffset + static_cast<LONG>(total);
    file.knownEnd = std::max(file.knownEnd, info.lDiskOffset);
    file.highWater = info.pchBuffer;
    return MMSYSERR_NOERROR;
}

MMRESULT LoadBuffer(HMMIO__& file, LONG offset) {
    const MMRESULT flushed = FlushBuffer(file);
    if (flushed != MMSYSERR_NOERROR) return flushed;
    MMIOINFO& info = file.info;
    ssize_t got = 0;
    while (offset < file.knownEnd) {
        got = pread(file.fd, info.pchBuffer, static_cast<size_t>(info.cchBuffer), offset);
        if (got >= 0 || errno != EINTR) break;
    }
    // A file opened for writing only reads as empty.
    if (got < 0 && errno != EBADF) return MMIOERR_CANNOTREAD;
    got = std::max<ssize_t>(got, 0);
    // Bytes past the end read as zero, as a file's hole would.
    std::memset(info.pchBuffer + got, 0, static_cast<size_t>(info.cchBuffer - got));
    info.lBufOffset = offset;
    info.lDiskOffset = offset + static_cast<LONG>(got);
    info.pchNext = info.pchBuffer;
    info.pchEndRead = info.pchBuffer + got;
    file.highWater = info.pchBuffer;
    return MMSYSERR_NOERROR;
}

MMRESULT TakeBufferState(HMMIO__& file, const MMIOINFO& state) {
    MMIOINFO& info = file.info;
    if (state.pchBuffer != info.pchBuffer || state.pchNext < info.pchBuffer ||
        state.pchNext > info.pchEndWrite)
        return MMSYSERR_INVALPARAM;
    info.pchNext = state.pchNext;
    if (state.dwFlags & MMIO_DIRTY) {
        info.dwFlags |= MMIO_DIRTY;
        file.highWater = std::max(file.highWater, info.pchNext);
    }
    return MMSYSERR_NOERROR;
}

}  // namespace marlowsim::detail
