#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/mmio_file.h"

using marlowsim::detail::BufferDataEnd;
using marlowsim::detail::FilePosition;
using marlowsim::detail::IsBuffered;
using marlowsim::detail::LoadBuffer;

namespace {

LONG WriteUnbuffered(HMMIO__& file, const char* bytes, LONG count) {
    for (LONG done = 0; done < count;) {
        const ssize_t written = pwrite(file.fd, bytes + done, static_cast<size_t>(count - done),
                                       file.info.lDiskOffset);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return -1;
        done += static_cast<LONG>(written);
        file.info.lDiskOffset += static_cast<LONG>(written);
        file.knownEnd = std::max(file.knownEnd, file.info.lDiskOffset);
    }
    return count;
}

LONG ReadUnbuffered(HMMIO__& file, char* bytes, LONG count) {
    LONG done = 0;
    while (done < count) {
        const ssize_t got =
            pread(file.fd, bytes + done, static_cast<size_t>(count - done), file.info.lDiskOffset);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<LONG>(got);
        file.info.lDiskOffset += static_cast<LONG>(got);
    }
    return done;
}

LONG FileEnd(const HMMIO__& file) {
    struct stat status {};
    LONG end = fstat(file.fd, &status) == 0 ? static_cast<LONG>(status.st_size) : 0;
    if (IsBuffered(file))
        end = std::max(end, file.info.lBufOffset +
                                static_cast<LONG>(BufferDataEnd(file) - file.info.pchBuffer));
    return end;
}

}  // namespace

extern "C" {

LONG WINAPI mmioWrite(HMMIO hmmio, const char* pch, LONG cch) {
    if (!hmmio || cch < 0 || (!pch && cch > 0)) return -1;
    if (!IsBuffered(*hmmio)) return WriteUnbuffered(*hmmio, pch, cch);
    MMIOINFO& info = hmmio->info;
    for (LONG done = 0; done < cch;) {
        if (info.pchNext >= info.pchEndWrite &&
            LoadBuffer(*hmmio, FilePosition(*hmmio)) != MMSYSERR_NOERROR)
            return -1;
        const LONG part = std::min<LONG>(cch - done, static_cast<LONG>(info.pchEndWrite - info.pchNext));
        std::memcpy(info.pchNext, pch + done, static_cast<size_t>(part));
        info.pchNext += part;
        info.dwFlags |= MMIO_DIRTY;
        hmmio->highWater = std::max(hmmio->highWater, info.pchNext);
        done += part;
    }
    return cch;
}

LONG WINAPI mmioRead(HMMIO hmmio, HPSTR pch, LONG cch) {
    if (!hmmio || cch < 0 || (!pch && cch > 0)) return -1;
    if (!IsBuffered(*hmmio)) return ReadUnbuffered(*hmmio, pch, cch);
    MMIOINFO& info = hmmio->info;
    LONG done = 0;
    while (done < cch) {
        LONG available = static_cast<LONG>(BufferDataEnd(*hmmio) - info.pchNext);
        if (available <= 0) {
            if (LoadBuffer(*hmmio, FilePosition(*hmmio)) != MMSYSERR_NOERROR) return -1;
            available = static_cast<LONG>(BufferDataEnd(*hmmio) - info.pchNext);
            if (available <= 0) break;
        }
        const LONG part = std::min(cch - done, available);
        std::memcpy(pch + done, info.pchNext, static_cast<size_t>(part));
        info.pchNext += part;
        done += part;
    }
    return done;
}

// Answers the new position, or -1. A position inside the buffer's data only
// moves the buffer's pointer.
LONG WINAPI mmioSeek(HMMIO hmmio, LONG lOffset, int iOrigin) {
    if (!hmmio) return -1;
    int64_t target = lOffset;
    if (iOrigin == SEEK_CUR) target += FilePosition(*hmmio);
    else if (iOrigin == SEEK_END) target += FileEnd(*hmmio);
    else if (iOrigin != SEEK_SET) return -1;
    if (target < 0 || target > INT32_MAX) return -1;
    const LONG position = static_cast<LONG>(target);
    if (!IsBuffered(*hmmio)) {
        hmmio->info.lDiskOffset = position;
        return position;
    }
    MMIOINFO& info = hmmio->info;
    const LONG dataEnd = info.lBufOffset + static_cast<LONG>(BufferDataEnd(*hmmio) - info.pchBuffer);
    if (position >= info.lBufOffset && position <= dataEnd) {
        hmmio->highWater = BufferDataEnd(*hmmio);
        info.pchNext = info.pchBuffer + (position - info.lBufOffset);
        return position;
    }
    return LoadBuffer(*hmmio, position) == MMSYSERR_NOERROR ? position : -1;
}
}
