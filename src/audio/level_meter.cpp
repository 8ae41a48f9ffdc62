#include <cstddef>
#include <cstdint>
#include <cstring>

#include "audio/direct_sound_audio_device.h"

namespace {

struct ChannelLevels {
    int32_t left = 0;
    int32_t right = 0;
};

// Sums of sample magnitudes for channels 0 and 1. Runs of at most
// kRunFrames frames are summed in 32 bits (32768 x 32768 fits) so that the
// loop stays simple enough to vectorise; the totals are 64-bit, so no window
// length can overflow them.
constexpr uint32_t kRunFrames = 32768;

struct ChannelSums {
    int64_t left = 0;
    int64_t right = 0;
};

inline int32_t Magnitude16(const uint8_t* sample) {
    int16_t value;
    std::memcpy(&value, sample, sizeof value);  // little-endian on every build
    return value < 0 ? -static_cast<int32_t>(value) : value;
}

inline int32_t Magnitude8(const uint8_t* sample) {
    const int32_t value = static_cast<int32_t>(*sample) - 128;
    return value < 0 ? -value : value;
}

// Stride is the frame's size in samples; known at compile time for mono and
// stereo, the formats a movie records in.
template <int32_t (*Magnitude)(const uint8_t*), uint32_t SampleBytes, uint32_t FixedStride>
ChannelSums SumMagnitudes(const uint8_t* bytes, uint32_t frames, uint32_t runtimeStride) {
    const uint32_t stride = FixedStride != 0 ? FixedStride : runtimeStride;
    const bool twoChannels = stride > 1;
    ChannelSums sums;
    for (uint32_t first = 0; first < frames; first += kRunFrames) {
        const uint32_t last = frames - first < kRunFrames ? frames : first + kRunFrames;
        int32_t left = 0;
        int32_t right = 0;
        for (uint32_t frame = first; frame < last; ++frame) {
            const uint8_t* sample = bytes + static_cast<std::size_t>(frame) * stride * SampleBytes;
            left += Magnitude(sample);
            if (twoChannels) {
                right += Magnitude(sample + SampleBytes);
            }
        }
        sums.left += left;
        sums.right += right;
    }
    return sums;
}

// Mean sample magnitude per channel over the whole frames of the window.
ChannelLevels MeasureWindow(const uint8_t* bytes, uint32_t length, const WAVEFORMATEX& format) {
    ChannelLevels levels;
    const uint32_t channels = format.nChannels;
    const bool sixteenBits = format.wBitsPerSample == 16;
    const uint32_t frameBytes = static_cast<uint32_t>(format.wBitsPerSample / 8) * channels;
    const uint32_t frames = frameBytes == 0 ? 0 : length / frameBytes;
    if (frames == 0) {
        return levels;
    }
    ChannelSums sums;
    if (sixteenBits) {
        sums = channels == 1   ? SumMagnitudes<Magnitude16, 2, 1>(bytes, frames, 1)
               : channels == 2 ? SumMagnitudes<Magnitude16, 2, 2>(bytes, frames, 2)
                               : SumMagnitudes<Magnitude16, 2, 0>(bytes, frames, channels);
    } else {
        sums = channels == 1   ? SumMagnitudes<Magnitude8, 1, 1>(bytes, frames, 1)
               : channels == 2 ? SumMagnitudes<Magnitude8, 1, 2>(bytes, frames, 2)
                               : SumMagnitudes<Magnitude8, 1, 0>(bytes, frames, channels);
    }
    levels.left = static_cast<int32_t>(sums.left / frames);
    if (channels > 1) {
        levels.right = static_cast<int32_t>(sums.right / frames);
    }
    return levels;
}

}  // namespace

StatusRecord DirectSoundAudioDevice::SetLevelMetering(bool enable, int32_t durationMs) {
    status.Reset();
    if (enable) {
        if (meteringActive) {
            return status;
        }
        if (playing) {
            status.SetFailure("Cannot Enable GSIL while playing a sound", -1);
        } else if (!capturing) {
            // A running recording already gives the level; otherwise metering
            // needs a looping capture of its own.
            meteringActive = !StartCapture(durationMs, true).failed;
            meteringDurationMs = durationMs;
        }
    } else if (meteringActive) {
        StopCapture();
        meteringActive = false;
    }
    return status;
}

StatusRecord DirectSoundAudioDevice::SetLevelMeteringDuration(int32_t durationMs) {
    status.Reset();
    meteringDurationMs = durationMs;
    if (durationMs <= 0 || playing) {
        if (meteringActive) {
            StopCapture();
            meteringActive = false;
        }
        return status;
    }
    if (capturing) {
        return status;
    }
    meteringActive = !StartCapture(durationMs, true).failed;
    meteringDurationMs = durationMs;
    // Let a first window be captured before anyone reads the level.
    Sleep(static_cast<DWORD>(durationMs));
    return status;
}

StatusRecord DirectSoundAudioDevice::GetLevel(int32_t* left, int32_t* right) {
    status.Reset();
    if (!meteringActive && !capturing) {
        status.SetFailure("You must enable GSIL or be capturing to get a sound level", -1);
        return status;
    }
    *left = 0;
    *right = 0;
    // Metering left on over a Close has no buffer to read any more.
    if (captureBuffer == nullptr || captureBufferBytes == 0) {
        return status;
    }
    const uint32_t frameBytes = static_cast<uint32_t>(format.wBitsPerSample / 8) * format.nChannels;
    if (frameBytes == 0) {
        return status;
    }
    DWORD readPosition = 0;
    if (FAILED(captureBuffer->GetCurrentPosition(nullptr, &readPosition))) {
        return status;
    }
    if (readPosition > captureBufferBytes) {
        readPosition = captureBufferBytes;
    }
    const uint64_t wantedWindow =
        static_cast<uint64_t>(format.nAvgBytesPerSec / 1000u) * static_cast<uint32_t>(meteringDurationMs);
    // A window longer than the buffer (a very short capture, or a format
    // changed during it) is cut to the buffer.
    uint32_t window = wantedWindow < captureBufferBytes ? static_cast<uint32_t>(wantedWindow) : captureBufferBytes;
    window -= window % frameBytes;
    if (window == 0) {
        return status;
    }
    uint32_t start = readPosition > window ? readPosition - window : captureBufferBytes - window;
    // The buffer need not hold whole frames; a window from its end must
    // still begin on a frame, or the channels would be read swapped.
    start -= start % frameBytes;

    void* first = nullptr;
    DWORD firstBytes = 0;
    void* second = nullptr;
    DWORD secondBytes = 0;
    if (FAILED(captureBuffer->Lock(start, window, &first, &firstBytes, &second, &secondBytes, 0))) {
        return status;
    }
    if (first != nullptr) {
        const ChannelLevels levels = MeasureWindow(static_cast<const uint8_t*>(first), firstBytes, format);
        *left = levels.left;
        *right = levels.right;
    }
    captureBuffer->Unlock(first, firstBytes, second, secondBytes);
    return status;
}
