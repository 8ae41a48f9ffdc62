#include "audio/take_start_copy.h"

#include <cstring>
#include <new>

void TakeStartCopy::Begin(uint32_t bytes) {
    kept_ = 0;
    if (bytes != capacity_) {
        bytes_.reset(bytes == 0 ? nullptr : new (std::nothrow) uint8_t[bytes]);
        capacity_ = bytes_ ? bytes : 0;
    }
}

void TakeStartCopy::Clear() {
    bytes_.reset();
    capacity_ = 0;
    kept_ = 0;
}

void TakeStartCopy::Follow(IDirectSoundCaptureBuffer* buffer, uint32_t position) {
    const uint32_t end = position < capacity_ ? position : capacity_;
    if (end <= kept_) {
        return;
    }
    void* first = nullptr;
    DWORD firstBytes = 0;
    void* second = nullptr;
    DWORD secondBytes = 0;
    if (FAILED(buffer->Lock(kept_, end - kept_, &first, &firstBytes, &second, &secondBytes, 0))) {
        return;
    }
    if (first != nullptr && firstBytes == end - kept_) {
        std::memcpy(bytes_.get() + kept_, first, firstBytes);
        kept_ = end;
    }
    buffer->Unlock(first, firstBytes, second, secondBytes);
}

uint32_t TakeStartCopy::PutBack(IDirectSoundCaptureBuffer* buffer, uint32_t bytes) const {
    const uint32_t count = bytes < kept_ ? bytes : kept_;
    if (count == 0) {
        return 0;
    }
    void* first = nullptr;
    DWORD firstBytes = 0;
    void* second = nullptr;
    DWORD secondBytes = 0;
    if (FAILED(buffer->Lock(0, count, &first, &firstBytes, &second, &secondBytes, 0))) {
        return 0;
    }
    const bool whole = first != nullptr && firstBytes == count;
    if (whole) {
        std::memcpy(first, bytes_.get(), count);
    }
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return whole ? count : 0;
}
