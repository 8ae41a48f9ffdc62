// RIFF chunks over the buffered file: a created chunk is marked dirty and
// gets its size, and its pad byte after odd data, when it is ascended from.
#include <cstring>

#include "platform/mmio_file.h"

using marlowsim::detail::FilePosition;
using marlowsim::detail::FlushBuffer;
using marlowsim::detail::IsBuffered;

namespace {

constexpr LONG kHeaderBytes = 8;

bool IsContainer(FOURCC id) { return id == FOURCC_RIFF || id == FOURCC_LIST; }

DWORD EvenSize(DWORD size) { return size + (size & 1); }

bool WriteAll(HMMIO file, const void* bytes, LONG count) {
    return mmioWrite(file, static_cast<const char*>(bytes), count) == count;
}

bool ReadAll(HMMIO file, void* bytes, LONG count) {
    return mmioRead(file, static_cast<char*>(bytes), count) == count;
}

}  // namespace

extern "C" {

MMRESULT WINAPI mmioCreateChunk(HMMIO hmmio, LPMMCKINFO pmmcki, UINT fuCreate) {
    if (!hmmio) return MMSYSERR_INVALHANDLE;
    if (!pmmcki) return MMSYSERR_INVALPARAM;
    if (fuCreate & MMIO_CREATERIFF) pmmcki->ckid = FOURCC_RIFF;
    if (fuCreate & MMIO_CREATELIST) pmmcki->ckid = FOURCC_LIST;
    const LONG start = FilePosition(*hmmio);
    DWORD header[3] = {pmmcki->ckid, pmmcki->cksize, pmmcki->fccType};
    const LONG headerBytes = IsContainer(pmmcki->ckid) ? kHeaderBytes + 4 : kHeaderBytes;
    if (!WriteAll(hmmio, header, headerBytes)) return MMIOERR_CANNOTWRITE;
    pmmcki->dwDataOffset = static_cast<DWORD>(start + kHeaderBytes);
    pmmcki->dwFlags = MMIO_DIRTY;
    return MMSYSERR_NOERROR;
}

// A chunk written here gets its size and pad byte, and reaches the disk so
// that a write failure is answered now. A chunk descended into is left,
// past its pad byte.
MMRESULT WINAPI mmioAscend(HMMIO hmmio, LPMMCKINFO pmmcki, UINT) {
    if (!hmmio) return MMSYSERR_INVALHANDLE;
    if (!pmmcki) return MMSYSERR_INVALPARAM;
    if (!(pmmcki->dwFlags & MMIO_DIRTY)) {
        const LONG end = static_cast<LONG>(pmmcki->dwDataOffset + EvenSize(pmmcki->cksize));
        return mmioSeek(hmmio, end, SEEK_SET) == end ? MMSYSERR_NOERROR : MMIOERR_CANNOTSEEK;
    }
    const LONG end = FilePosition(*hmmio);
    const LONG dataOffset = static_cast<LONG>(pmmcki->dwDataOffset);
    if (end < dataOffset) return MMIOERR_CANNOTSEEK;
    const DWORD size = static_cast<DWORD>(end - dataOffset);
    if (size != pmmcki->cksize) {
        if (mmioSeek(hmmio, dataOffset - 4, SEEK_SET) != dataOffset - 4) return MMIOERR_CANNOTSEEK;
        if (!WriteAll(hmmio, &size, 4)) return MMIOERR_CANNOTWRITE;
        if (mmioSeek(hmmio, end, SEEK_SET) != end) return MMIOERR_CANNOTSEEK;
        pmmcki->cksize = size;
    }
    if (size & 1) {
        const char pad = 0;
        if (!WriteAll(hmmio, &pad, 1)) return MMIOERR_CANNOTWRITE;
    }
    if (IsBuffered(*hmmio) && FlushBuffer(*hmmio) != MMSYSERR_NOERROR) return MMIOERR_CANNOTWRITE;
    pmmcki->dwFlags = 0;
    return MMSYSERR_NOERROR;
}

// Without a search flag the next chunk is taken; with MMIO_FINDCHUNK,
// MMIO_FINDRIFF or MMIO_FINDLIST the chunks are searched, within the parent
// when one is given. The position is left at the chunk's data (past the
// form type of a RIFF or LIST chunk).
MMRESULT WINAPI mmioDescend(HMMIO hmmio, LPMMCKINFO pmmcki, const MMCKINFO* pmmckiParent,
                            UINT fuDescend) {
    if (!hmmio) return MMSYSERR_INVALHANDLE;
    if (!pmmcki) return MMSYSERR_INVALPARAM;
    const FOURCC wantedId = pmmcki->ckid;
    const FOURCC wantedType = pmmcki->fccType;
    const int64_t limit =
        pmmckiParent ? int64_t{pmmckiParent->dwDataOffset} + pmmckiParent->cksize : INT64_MAX;
    for (;;) {
        const LONG start = FilePosition(*hmmio);
        if (start + int64_t{kHeaderBytes} > limit) return MMIOERR_CHUNKNOTFOUND;
        DWORD header[2] = {};
        if (!ReadAll(hmmio, header, kHeaderBytes)) return MMIOERR_CHUNKNOTFOUND;
        MMCKINFO found{header[0], header[1], 0, static_cast<DWORD>(start + kHeaderBytes), 0};
        if (IsContainer(found.ckid) && !ReadAll(hmmio, &found.fccType, 4))
            return MMIOERR_CHUNKNOTFOUND;

        bool matches = true;
        if (fuDescend & MMIO_FINDCHUNK) matches = found.ckid == wantedId;
        if (fuDescend & MMIO_FINDRIFF)
            matches = found.ckid == FOURCC_RIFF && found.fccType == wantedType;
        if (fuDescend & MMIO_FINDLIST)
            matches = found.ckid == FOURCC_LIST && found.fccType == wantedType;
        if (matches) {
            *pmmcki = found;
            return MMSYSERR_NOERROR;
        }
        const int64_t next = int64_t{found.dwDataOffset} + EvenSize(found.cksize);
        if (next > INT32_MAX || mmioSeek(hmmio, static_cast<LONG>(next), SEEK_SET) != next)
            return MMIOERR_CHUNKNOTFOUND;
    }
}
}
