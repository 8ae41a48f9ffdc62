#include "audio/take_copy.h"

#include <cstring>
#include <new>

#include "audio/capture_region.h"

void TakeCopy::Begin(uint32_t bytes) {
    kept_ = 0;
    if (bytes != capacity_) {
        // The old bytes go first: the two need never be held at once.
        bytes_.reset();
        bytes_.reset(bytes == 0 ? nullptr : new (std::nothrow) uint8_t[bytes]);
        capacity_ = bytes_ ? bytes : 0;
    }
}

void TakeCopy::Clear() {
    bytes_.reset();
    capacity_ = 0;
    kept_ = 0;
}

void TakeCopy::Follow(IDirectSoundCaptureBuffer* buffer, uint32_t position) {
    const uint32_t end = position < capacity_ ? position : capacity_;
    if (end <= kept_) {
        return;
    }
    uint8_t* copy = bytes_.get() + kept_;
    if (WithCaptureRegion(buffer, kept_, end - kept_,
                          [&](const uint8_t* captured) { std::memcpy(copy, captured, end - kept_); })) {
        kept_ = end;
    }
}

bool TakeCopy::Hold(IDirectSoundCaptureBuffer* buffer, uint32_t bytes) {
    if (bytes > capacity_) {
        Begin(bytes);
    }
    kept_ = 0;
    Follow(buffer, bytes);
    return kept_ == bytes;
}

void TakeCopy::Fit() {
    if (kept_ == capacity_) {
        return;
    }
    std::unique_ptr<uint8_t[]> fitted(kept_ == 0 ? nullptr : new (std::nothrow) uint8_t[kept_]);
    if (kept_ != 0 && !fitted) {
        return;
    }
    if (kept_ != 0) {
        std::memcpy(fitted.get(), bytes_.get(), kept_);
    }
    bytes_ = std::move(fitted);
    capacity_ = kept_;
}

uint32_t TakeCopy::PutBack(IDirectSoundCaptureBuffer* buffer, uint32_t bytes) const {
    const uint32_t count = bytes < kept_ ? bytes : kept_;
    if (count == 0) {
        return 0;
    }
    const uint8_t* copy = bytes_.get();
    return WithCaptureRegion(buffer, 0, count, [&](uint8_t* take) { std::memcpy(take, copy, count); }) ? count : 0;
}
