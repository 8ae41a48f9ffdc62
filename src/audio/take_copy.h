// A recording's bytes, copied aside as they are captured. Some drivers
// write into the start of a buffer started once after it is full: Wine
// copies every packet waiting when its capture thread wakes, also those
// after the packet that stopped the buffer, and a buffer it never stops goes
// round; the start of the take is put back from here. And when the device
// goes away, its buffer may answer nothing more: the take is what was
// copied. A take also waits here while a new capture buffer is made.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/windows_api.h"

class TakeCopy {
public:
    // Keeps up to bytes, in place of what it kept; nothing when the memory
    // cannot be had.
    void Begin(uint32_t bytes);
    void Clear();
    // Copies what the capture has added before position since the last call.
    void Follow(IDirectSoundCaptureBuffer* buffer, uint32_t position);
    // Copies the first bytes of a stopped capture whole, keeping the memory
    // it has when that is large enough; answers whether it could.
    bool Hold(IDirectSoundCaptureBuffer* buffer, uint32_t bytes);
    // Lets go of the memory past what is kept: a take stopped before its
    // maximum then costs what it holds. Where the smaller block cannot be
    // had, the larger one stays.
    void Fit();
    // Puts the first bytes back (no more than are kept); answers how many.
    uint32_t PutBack(IDirectSoundCaptureBuffer* buffer, uint32_t bytes) const;
    uint32_t Kept() const { return kept_; }
    uint32_t Capacity() const { return capacity_; }
    const uint8_t* Bytes() const { return bytes_.get(); }

private:
    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t capacity_ = 0;
    uint32_t kept_ = 0;
};
