// Direct access to a file's I/O buffer: the caller gets the buffer state,
// fills the buffer itself, and advances it a buffer at a time.
#include "platform/mmio_file.h"

using marlowsim::detail::FilePosition;
using marlowsim::detail::FlushBuffer;
using marlowsim::detail::IsBuffered;
using marlowsim::detail::LoadBuffer;
using marlowsim::detail::TakeBufferState;

extern "C" {

MMRESULT WINAPI mmioGetInfo(HMMIO hmmio, LPMMIOINFO pmmioinfo, UINT) {
    if (!hmmio) return MMSYSERR_INVALHANDLE;
    if (!pmmioinfo) return MMSYSERR_INVALPARAM;
    *pmmioinfo = hmmio->info;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI mmioSetInfo(HMMIO hmmio, LPCMMIOINFO pmmioinfo, UINT) {
    if (!hmmio) return MMSYSERR_INVALHANDLE;
    if (!pmmioinfo) return MMSYSERR_INVALPARAM;
    if (!IsBuffered(*hmmio)) return MMSYSERR_NOERROR;
    return TakeBufferState(*hmmio, *pmmioinfo);
}

// MMIO_WRITE writes a dirty buffer out; either way the buffer then holds the
// file from the caller's position on, and the caller's record says so.
MMRESULT WINAPI mmioAdvance(HMMIO hmmio, LPMMIOINFO pmmioinfo, UINT fuAdvance) {
    if (!hmmio) return MMSYSERR_INVALHANDLE;
    if (!IsBuffered(*hmmio)) return MMIOERR_UNBUFFERED;
    if (pmmioinfo) {
        const MMRESULT taken = TakeBufferState(*hmmio, *pmmioinfo);
        if (taken != MMSYSERR_NOERROR) return taken;
    }
    if (fuAdvance == MMIO_WRITE && FlushBuffer(*hmmio) != MMSYSERR_NOERROR) return MMIOERR_CANNOTWRITE;
    const MMRESULT loaded = LoadBuffer(*hmmio, FilePosition(*hmmio));
    if (loaded != MMSYSERR_NOERROR) return loaded;
    if (pmmioinfo) *pmmioinfo = hmmio->info;
    return MMSYSERR_NOERROR;
}
}
