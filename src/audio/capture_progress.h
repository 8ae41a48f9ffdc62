// What the engine has seen of a running capture: DirectSound reports only a
// position inside the buffer, so how far the capture has got is pieced
// together from successive readings.
#pragma once

#include <cstdint>

class CaptureProgress {
public:
    // A capture into a buffer of bufferBytes starts at its offset 0.
    void Begin(uint32_t bufferBytes);
    // One reading of the read position; a position behind the last one
    // means the capture went round the end of the buffer.
    void Observe(uint32_t readPosition);

    // Bytes captured so far, as far as the readings tell.
    uint64_t CapturedBytes() const { return static_cast<uint64_t>(laps_) * bufferBytes_ + position_; }
    // The buffer went round at least once: every byte of it holds captured
    // audio, the oldest at Position().
    bool Wrapped() const { return laps_ != 0; }
    uint32_t Position() const { return position_; }

private:
    uint32_t bufferBytes_ = 0;
    uint32_t position_ = 0;
    uint32_t laps_ = 0;
};
