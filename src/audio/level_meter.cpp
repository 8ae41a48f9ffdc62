#include <cstddef>
#include <cstdint>
#include <cstring>

#include "audio/direct_sound_audio_device.h"

namespace {

struct ChannelLevels {
    int32_t left = 0;
    int32_t right = 0;
};

// Sums of sample magnitudes for channels 0 and 1. Totals are 64-bit, so
// no window length can overflow them.
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

// 16-bit mono and stereo, the formats a movie meters in: consecutive samples
// go to kLanes running sums, a block of a fixed count at a time, which the
// compiler turns into vector adds. With an even lane count the even lanes
// hold channel 0 and the odd ones channel 1. Each lane takes at most
// kLaneRun samples (32768 x 32768 fits in 32 bits) before it is folded into
// the 64-bit totals.
constexpr uint32_t kLanes = 16;
constexpr uint32_t kLaneRun = 32768;

ChannelSums SumSixteenBitLanes(const uint8_t* bytes, uint32_t samples, bool stereo) {
    ChannelSums sums;
    const uint32_t blocks = samples / kLanes;
    for (uint32_t firstBlock = 0; firstBlock < blocks; firstBlock += kLaneRun) {
        const uint32_t runBlocks = blocks - firstBlock < kLaneRun ? blocks - firstBlock : kLaneRun;
        int32_t lanes[kLanes] = {};
        const uint8_t* block = bytes + static_cast<std::size_t>(firstBlock) * kLanes * 2;
        for (uint32_t b = 0; b < runBlocks; ++b, block += kLanes * 2) {
            // Whole, so that the lanes stay in registers.
#pragma GCC unroll 16
            for (uint32_t lane = 0; lane < kLanes; ++lane) {
                lanes[lane] += Magnitude16(block + lane * 2);
            }
        }
        for (uint32_t lane = 0; lane < kLanes; lane += 2) {
            sums.left += lanes[lane];
            (stereo ? sums.right : sums.left) += lanes[lane + 1];
        }
    }
    // The samples after the last whole block; kLanes is even, so the first
    // of them starts a frame.
    for (uint32_t sample = blocks * kLanes; sample < samples; ++sample) {
        const bool right = stereo && (sample % 2) != 0;
        (right ? sums.right : sums.left) += Magnitude16(bytes + static_cast<std::size_t>(sample) * 2);
    }
    return sums;
}

// Samples wider than 16 bits are measured by their top 16 bits, so that
// they read on the 16-bit scale.
uint32_t MeasuredSampleBytes(uint32_t sampleBytes) {
    return sampleBytes < 2 ? sampleBytes : 2;
}

// Any other layout, a frame at a time: channels 0 and 1 of each frame.
template <int32_t (*Magnitude)(const uint8_t*)>
ChannelSums SumFrames(const uint8_t* bytes, uint32_t frames, uint32_t channels, uint32_t sampleBytes) {
    ChannelSums sums;
    const std::size_t frameBytes = static_cast<std::size_t>(channels) * sampleBytes;
    const uint32_t measuredFrom = sampleBytes - MeasuredSampleBytes(sampleBytes);
    for (uint32_t frame = 0; frame < frames; ++frame) {
        const uint8_t* sample = bytes + frame * frameBytes + measuredFrom;
        sums.left += Magnitude(sample);
        if (channels > 1) {
            sums.right += Magnitude(sample + sampleBytes);
        }
    }
    return sums;
}

// The measured bytes of channels 0 and 1 of one frame: a frame cut by the
// end of the buffer is put together here from its two pieces.
constexpr uint32_t kMeasuredFrameBytes = 4;

ChannelSums SumWholeFrames(const uint8_t* bytes, uint32_t frames, const WAVEFORMATEX& format) {
    const uint32_t channels = format.nChannels;
    const uint32_t sampleBytes = format.wBitsPerSample / 8u;
    if (sampleBytes == 1) {
        return SumFrames<Magnitude8>(bytes, frames, channels, sampleBytes);
    }
    if (sampleBytes == 2 && channels <= 2) {
        return SumSixteenBitLanes(bytes, frames * channels, channels == 2);
    }
    return SumFrames<Magnitude16>(bytes, frames, channels, sampleBytes);
}

// Mean sample magnitude per channel over the whole frames of the window.
// The window is the capture's latest bytes in the order they were captured:
// up to two regions, and where the buffer is not a whole number of frames a
// frame may begin in the first region and end in the second.
ChannelLevels MeasureWindow(const uint8_t* first, uint32_t firstBytes, const uint8_t* second, uint32_t secondBytes,
                            const WAVEFORMATEX& format) {
    ChannelLevels levels;
    const uint32_t channels = format.nChannels;
    const uint32_t sampleBytes = format.wBitsPerSample / 8u;
    const uint32_t frameBytes = sampleBytes * channels;
    const uint32_t frames = frameBytes == 0 ? 0 : (firstBytes + secondBytes) / frameBytes;
    if (frames == 0) {
        return levels;
    }
    ChannelSums sums = SumWholeFrames(first, firstBytes / frameBytes, format);
    const uint32_t cutPart = firstBytes % frameBytes;
    uint32_t secondFrom = 0;
    if (cutPart != 0 && second != nullptr && secondBytes >= frameBytes - cutPart) {
        secondFrom = frameBytes - cutPart;
        auto frameByte = [&](uint32_t i) {
            return i < cutPart ? first[firstBytes - cutPart + i] : second[i - cutPart];
        };
        // Only the measured bytes of channels 0 and 1 are read, so they
        // stand for the frame.
        const uint32_t measured = MeasuredSampleBytes(sampleBytes);
        const uint32_t measuredChannels = channels < 2 ? channels : 2;
        uint8_t joined[kMeasuredFrameBytes] = {};
        for (uint32_t channel = 0; channel < measuredChannels; ++channel) {
            for (uint32_t i = 0; i < measured; ++i) {
                joined[channel * measured + i] = frameByte(channel * sampleBytes + sampleBytes - measured + i);
            }
        }
        WAVEFORMATEX joinedFormat = format;
        joinedFormat.nChannels = static_cast<WORD>(measuredChannels);
        joinedFormat.wBitsPerSample = static_cast<WORD>(measured * 8);
        const ChannelSums cut = SumWholeFrames(joined, 1, joinedFormat);
        sums.left += cut.left;
        sums.right += cut.right;
    }
    if (second != nullptr && secondBytes > secondFrom) {
        const ChannelSums rest = SumWholeFrames(second + secondFrom, (secondBytes - secondFrom) / frameBytes, format);
        sums.left += rest.left;
        sums.right += rest.right;
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
        StopRunningCapture();
        meteringActive = false;
    }
    return status;
}

StatusRecord DirectSoundAudioDevice::SetLevelMeteringDuration(int32_t durationMs) {
    status.Reset();
    meteringDurationMs = durationMs;
    if (durationMs <= 0 || playing) {
        if (meteringActive) {
            StopRunningCapture();
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
    // The capture's bytes are in the format its buffer was made with.
    const WAVEFORMATEX& captured = captureFormat;
    const uint32_t frameBytes = static_cast<uint32_t>(captured.wBitsPerSample / 8) * captured.nChannels;
    if (frameBytes == 0) {
        return status;
    }
    bool running = false;
    const HRESULT looked = LookAtCapture(&running);
    if (FAILED(looked)) {
        EndCaptureAfterLoss(looked);
        return status;
    }
    const uint64_t wantedWindow =
        static_cast<uint64_t>(captured.nAvgBytesPerSec / 1000u) * static_cast<uint32_t>(meteringDurationMs);
    // A recording's buffer does not go round, so its first bytes are enough.
    const uint64_t wholeWindow = wantedWindow < captureBufferBytes ? wantedWindow : captureBufferBytes;
    WaitForFirstWindow(captureLooping ? wholeWindow : 1);
    // Only bytes the capture has reached hold input; the rest of a new
    // buffer is the silence it was made with.
    const uint64_t capturedBytes = captureProgress.CapturedBytes();
    const uint64_t filled = capturedBytes < captureBufferBytes ? capturedBytes : captureBufferBytes;
    uint32_t window = static_cast<uint32_t>(wantedWindow < filled ? wantedWindow : filled);
    window -= window % frameBytes;
    if (window == 0) {
        return status;
    }
    // The window ends at the read position, in capture order: a looping
    // buffer's window may begin before its end and go on at its start.
    // Frames follow the capture, which starts at offset 0, not the buffer's
    // end, so they stay whole wherever the buffer wraps.
    const uint32_t position = captureProgress.Position();
    const uint32_t start = position >= window ? position - window : captureBufferBytes - (window - position);

    void* first = nullptr;
    DWORD firstBytes = 0;
    void* second = nullptr;
    DWORD secondBytes = 0;
    if (FAILED(captureBuffer->Lock(start, window, &first, &firstBytes, &second, &secondBytes, 0))) {
        return status;
    }
    if (first != nullptr) {
        const ChannelLevels levels =
            MeasureWindow(static_cast<const uint8_t*>(first), firstBytes, static_cast<const uint8_t*>(second),
                          second != nullptr ? secondBytes : 0, captured);
        *left = levels.left;
        *right = levels.right;
    }
    captureBuffer->Unlock(first, firstBytes, second, secondBytes);
    return status;
}

// The first level of a capture is asked for at once, often before the
// driver has delivered anything (on Wine, a 10 ms packet some 20 ms after
// Start; in a slow machine up to half a second late, and then 60 or 100 ms
// at once, which goes round a metering buffer of 59 ms unseen and leaves
// only a few samples counted). Waiting once, at most a second, until
// windowBytes are seen captured makes that first level a real one; a
// driver that has not delivered by then gets no more waits.
void DirectSoundAudioDevice::WaitForFirstWindow(uint64_t windowBytes) {
    if (firstWindowAwaited) {
        return;
    }
    firstWindowAwaited = true;
    const DWORD started = GetTickCount();
    while (captureProgress.CapturedBytes() < windowBytes && GetTickCount() - started < kFirstWindowWaitMs) {
        Sleep(kFirstWindowPollMs);
        bool filled = false;
        if (FAILED(ObserveCapturePosition(&filled)) || filled) {
            return;
        }
    }
}
