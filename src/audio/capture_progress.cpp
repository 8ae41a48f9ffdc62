#include "audio/capture_progress.h"

void CaptureProgress::Begin(uint32_t bufferBytes) {
    bufferBytes_ = bufferBytes;
    position_ = 0;
    laps_ = 0;
}

void CaptureProgress::Observe(uint32_t readPosition) {
    // A driver that reports a position past the end tells nothing usable.
    if (readPosition >= bufferBytes_) {
        return;
    }
    if (readPosition < position_ && laps_ != UINT32_MAX) {
        ++laps_;
    }
    position_ = readPosition;
}
