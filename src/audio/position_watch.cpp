#include "audio/position_watch.h"

void PositionWatch::Begin(DWORD now) {
    position_ = 0;
    movedAt_ = now;
    begunAt_ = now;
}

void PositionWatch::Observe(uint32_t position, DWORD now) {
    if (position != position_) {
        position_ = position;
        movedAt_ = now;
    }
}
