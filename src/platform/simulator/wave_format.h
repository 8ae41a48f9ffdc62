// What simulated buffers need to know about a PCM format: whether DirectSound
// takes it, how many bytes pass in a span of time, and what the input signal
// looks like in it.
#pragma once

#include <cstdint>

#include "platform/dsound_layer.h"

namespace marlowsim::detail {

// DS_OK, DSERR_INVALIDPARAM (no format) or DSERR_BADFORMAT.
HRESULT CheckPcmFormat(const WAVEFORMATEX* format);

// DS_OK or DSERR_INVALIDPARAM.
HRESULT CheckBufferBytes(DWORD bytes, DWORD smallest);

// Whole blocks only, in 64 bits.
uint64_t BytesInSpan(uint64_t milliseconds, const WAVEFORMATEX& format);

// The byte of the input signal at an absolute byte index of a recording.
uint8_t InputByte(const WAVEFORMATEX& format, uint64_t byteIndex);

// What a buffer of the format holds before anything reached it.
uint8_t SilenceByte(const WAVEFORMATEX& format);

}  // namespace marlowsim::detail
