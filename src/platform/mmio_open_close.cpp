#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <new>
#include <string>

#include "platform/mmio_file.h"
#include "platform/utf8_text.h"

namespace {

int OpenFlags(DWORD fdwOpen) {
    int flags = O_RDONLY;
    if ((fdwOpen & MMIO_RWMODE) == MMIO_WRITE) flags = O_WRONLY;
    if ((fdwOpen & MMIO_RWMODE) == MMIO_READWRITE) flags = O_RDWR;
    if (fdwOpen & MMIO_CREATE) flags |= O_CREAT | O_TRUNC;
    return flags | O_CLOEXEC;
}

UINT OpenError(int error, DWORD fdwOpen) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return (fdwOpen & MMIO_CREATE) ? MMIOERR_PATHNOTFOUND : MMIOERR_FILENOTFOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return MMIOERR_ACCESSDENIED;
        case EMFILE:
        case ENFILE:
            return MMIOERR_TOOMANYOPENFILES;
        default:
            return MMIOERR_CANNOTOPEN;
    }
}

}  // namespace

extern "C" {

// Opens a file for buffered I/O when MMIO_ALLOCBUF is given or the caller's
// MMIOINFO names a buffer size; wErrorRet of that record gets the reason of
// a failure. Without a name, the MMIOINFO must name FOURCC_DOS and hold an
// open file handle in adwInfo[0], which the file then owns.
//
// MMIO_ALLOCBUF without a size: Windows allocates MMIO_DEFAULTBUFFER (8 KB).
// Here the buffer is larger; the file is the same, written in fewer pieces.
constexpr LONG kAllocatedBufferBytes = 64 * 1024;

HMMIO WINAPI mmioOpenW(LPWSTR pszFileName, LPMMIOINFO pmmioinfo, DWORD fdwOpen) {
    if (pmmioinfo) pmmioinfo->wErrorRet = MMSYSERR_NOERROR;
    auto fail = [pmmioinfo](UINT error) -> HMMIO {
        if (pmmioinfo) pmmioinfo->wErrorRet = error;
        return nullptr;
    };
    std::string name;
    if (pszFileName && !marlowcp::Utf8OfWide(marlowcp::WideOfTerminated(pszFileName), &name))
        return fail(MMIOERR_CANNOTOPEN);
    const bool givenHandle = !pszFileName && pmmioinfo && pmmioinfo->fccIOProc == FOURCC_DOS;
    if (!pszFileName && !givenHandle) return fail(MMIOERR_CANNOTOPEN);

    const LONG askedSize = pmmioinfo ? pmmioinfo->cchBuffer : 0;
    const bool buffered = (fdwOpen & MMIO_ALLOCBUF) || askedSize > 0;
    const LONG bufferSize = askedSize > 0 ? askedSize : kAllocatedBufferBytes;
    auto* file = new (std::nothrow) HMMIO__;
    if (!file) return fail(MMIOERR_OUTOFMEMORY);
    char* buffer = nullptr;
    if (buffered && pmmioinfo && pmmioinfo->pchBuffer) {
        buffer = pmmioinfo->pchBuffer;
    } else if (buffered) {
        file->ownBuffer.reset(new (std::nothrow) char[static_cast<size_t>(bufferSize)]());
        buffer = file->ownBuffer.get();
        if (!buffer) {
            delete file;
            return fail(MMIOERR_OUTOFMEMORY);
        }
    }

    file->fd = givenHandle ? static_cast<int>(pmmioinfo->adwInfo[0]) : open(name.c_str(), OpenFlags(fdwOpen), 0666);
    if (file->fd < 0) {
        const UINT error = givenHandle ? MMIOERR_CANNOTOPEN : OpenError(errno, fdwOpen);
        delete file;
        return fail(error);
    }
    struct stat opened {};
    // LONG is 32 bits, as on Windows: an end not known is the largest it holds.
    file->knownEnd =
        fstat(file->fd, &opened) == 0 ? static_cast<LONG>(opened.st_size) : std::numeric_limits<LONG>::max();
    MMIOINFO& info = file->info;
    info.dwFlags = fdwOpen & ~MMIO_DIRTY;
    info.hmmio = file;
    if (buffered) {
        info.cchBuffer = bufferSize;
        info.pchBuffer = info.pchNext = info.pchEndRead = buffer;
        info.pchEndWrite = buffer + bufferSize;
        file->highWater = buffer;
    }
    return file;
}

// The file is closed and its handle gone even when the last flush fails;
// the failure is still answered.
MMRESULT WINAPI mmioClose(HMMIO hmmio, UINT) {
    if (!hmmio) return MMSYSERR_INVALHANDLE;
    MMRESULT result = marlowsim::detail::IsBuffered(*hmmio) ? marlowsim::detail::FlushBuffer(*hmmio)
                                                            : MMSYSERR_NOERROR;
    if (close(hmmio->fd) != 0 && result == MMSYSERR_NOERROR) result = MMIOERR_CANNOTCLOSE;
    delete hmmio;
    return result;
}
}
