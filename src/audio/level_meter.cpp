#include <cstdint>
#include <cstdlib>

#include "audio/direct_sound_audio_device.h"

namespace {

struct ChannelLevels {
    int32_t left = 0;
    int32_t right = 0;
};

// Mean sample magnitude per channel over the whole frames of the window; a
// frame is at least one byte. The sums are 64-bit so that no window length
// can overflow them.
ChannelLevels MeasureWindow(const uint8_t* bytes, uint32_t length, const WAVEFORMATEX& format) {
    ChannelLevels levels;
    const uint32_t channels = format.nChannels;
    const uint32_t frameBytes = static_cast<uint32_t>(format.wBitsPerSample / 8) * channels;
    const uint32_t frames = length / frameBytes;
    if (frames == 0) {
        return levels;
    }
    int64_t sums[2] = {0, 0};
    const uint32_t measuredChannels = channels > 1 ? 2 : 1;
    for (uint32_t frame = 0; frame < frames; ++frame) {
        for (uint32_t channel = 0; channel < measuredChannels; ++channel) {
            const uint32_t sampleIndex = frame * channels + channel;
            if (format.wBitsPerSample == 16) {
                const uint8_t* sample = bytes + sampleIndex * 2;
                const int16_t value = static_cast<int16_t>(static_cast<uint16_t>(sample[0] | (sample[1] << 8)));
                sums[channel] += std::abs(static_cast<int32_t>(value));
            } else {
                sums[channel] += std::abs(static_cast<int32_t>(bytes[sampleIndex]) - 128);
            }
        }
    }
    levels.left = static_cast<int32_t>(sums[0] / frames);
    if (channels > 1) {
        levels.right = static_cast<int32_t>(sums[1] / frames);
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
