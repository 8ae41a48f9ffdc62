// A stretch of a capture buffer's memory, locked for one use and unlocked
// again.
#pragma once

#include <cstdint>

#include "platform/windows_api.h"

// Calls use(bytes) on count bytes of the buffer from offset when DirectSound
// locks them as one region; answers whether it did.
template <typename Use>
bool WithCaptureRegion(IDirectSoundCaptureBuffer* buffer, DWORD offset, DWORD count, Use use) {
    void* first = nullptr;
    DWORD firstBytes = 0;
    void* second = nullptr;
    DWORD secondBytes = 0;
    if (FAILED(buffer->Lock(offset, count, &first, &firstBytes, &second, &secondBytes, 0))) {
        return false;
    }
    const bool whole = first != nullptr && firstBytes == count;
    if (whole) {
        use(static_cast<uint8_t*>(first));
    }
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return whole;
}
