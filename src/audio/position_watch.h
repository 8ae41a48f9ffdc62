// Whether a buffer that says it runs still makes progress. Some drivers
// keep answering "capturing" (or "playing") with a position that no longer
// moves when their device goes away.
#pragma once

#include <cstdint>

#include "platform/windows_api.h"

// A position that stands still longer than this while its buffer says it
// runs means the device is gone. Far above the slowest driver seen: Wine's
// first packet came up to half a second late in the emulated machine.
constexpr DWORD kStallLimitMs = 4000;

class PositionWatch {
public:
    // The buffer starts at position 0 at tick now.
    void Begin(DWORD now);
    void Observe(uint32_t position, DWORD now);
    bool StoodStillTooLong(DWORD now) const { return now - movedAt_ > kStallLimitMs; }
    DWORD SinceBegin(DWORD now) const { return now - begunAt_; }

private:
    uint32_t position_ = 0;
    DWORD movedAt_ = 0;
    DWORD begunAt_ = 0;
};
