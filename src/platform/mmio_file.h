// The state behind an HMMIO: a POSIX file and, for buffered files, the I/O
// buffer whose state mmioGetInfo hands out in the MMIOINFO form.
#pragma once

#include <memory>

#include "platform/win32_layer.h"

struct HMMIO__ {
    int fd = -1;
    std::unique_ptr<char[]> ownBuffer;
    // pchBuffer..pchEndWrite is the buffer; lBufOffset is the file offset of
    // pchBuffer; MMIO_DIRTY in dwFlags marks bytes not yet on disk. An
    // unbuffered file keeps its file pointer in lDiskOffset.
    MMIOINFO info{};
    // The furthest byte written into the buffer since it was last flushed.
    char* highWater = nullptr;
    // Where the file ends as far as this handle knows; a buffer loaded past
    // it needs no read.
    LONG knownEnd = 0;
};

namespace marlowsim::detail {

bool IsBuffered(const HMMIO__& file);
// The end of the bytes in the buffer that mean something: read from disk
// or written since.
char* BufferDataEnd(const HMMIO__& file);
LONG FilePosition(const HMMIO__& file);
// Writes a dirty buffer to disk: MMSYSERR_NOERROR or MMIOERR_CANNOTWRITE.
MMRESULT FlushBuffer(HMMIO__& file);
// Flushes, then fills the buffer from the file at offset.
MMRESULT LoadBuffer(HMMIO__& file, LONG offset);
// Takes back a buffer state the caller changed: MMSYSERR_INVALPARAM when
// it is not this file's buffer.
MMRESULT TakeBufferState(HMMIO__& file, const MMIOINFO& state);

}  // namespace marlowsim::detail
