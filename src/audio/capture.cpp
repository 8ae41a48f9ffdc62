#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "audio/capture_region.h"
#include "audio/direct_sound_audio_device.h"

StatusRecord DirectSoundAudioDevice::StartCapture(int32_t maxMs, bool looping) {
    status.Reset();
    if (playbackObject == nullptr) {
        status.SetFailure("Open device before capturing", -1);
        return status;
    }
    if (playing) {
        status.SetFailure("Cannot capture while playing a captured sound", -1);
        return status;
    }
    if (meteringActive) {
        SetLevelMetering(false, 50);
    }
    if (capturing) {
        status.SetFailure("Already capturing, stop capture before starting a new capture", -1);
        return status;
    }
    // The previous take's audio goes here; takeBytes keeps its length until
    // the new capture is stopped.
    ReleaseCaptureBuffer();
    ReleasePlayBuffer();
    maxCaptureMs = maxMs;
    meteringDurationMs = 50;
    // A capture object that could not be made afresh last time is tried again.
    if (captureObject == nullptr && OpenCaptureObject().failed) {
        return status;
    }
    if (CreateCaptureBuffer().failed) {
        return status;
    }
    // Wine keeps a capture object's write position from one buffer to the
    // next: the new buffer would fill from wherever the last one stopped,
    // even past its own end. A fresh capture object starts at 0, as every
    // buffer does on Windows.
    if (NewBufferStartsMidway()) {
        ReleaseCaptureBuffer();
        if (ReopenCaptureObject().failed || CreateCaptureBuffer().failed) {
            return status;
        }
    }
    // A buffer that never started holds no audio: reporting "Ok" would
    // later hand out its silence as a full take.
    const HRESULT started = captureBuffer->Start(looping ? DSCBSTART_LOOPING : 0);
    if (FAILED(started)) {
        ReleaseCaptureBuffer();
        status.SetFailure("Could not start capture", started);
        return status;
    }
    captureProgress.Begin(captureBufferBytes);
    if (looping) {
        takeStart.Clear();
    } else {
        // A second's bytes, read out of the packed record before min binds to it.
        const uint32_t secondOfBytes = captureFormat.nAvgBytesPerSec;
        takeStart.Begin(std::min(FullTakeBytes(), secondOfBytes));
    }
    firstBytesAwaited = false;
    captureLooping = looping;
    capturing = true;
    captureStarted = true;
    return status;
}

bool DirectSoundAudioDevice::IsCapturing() {
    if (captureBuffer == nullptr) {
        return capturing;
    }
    if (meteringActive) {
        return false;
    }
    DWORD bits = 0;
    // A status query that fails tells nothing: the recording goes on as it was.
    if (FAILED(captureBuffer->GetStatus(&bits))) {
        return capturing;
    }
    bool running = (bits & DSCBSTATUS_CAPTURING) != 0;
    if (running && capturing && !captureLooping && ObserveCapturePosition()) {
        if (!captureProgress.Wrapped()) {
            takeStart.Follow(captureBuffer, captureProgress.Position());
        }
        // Some drivers never stop a full buffer (Wine's, when its size is a
        // whole number of its packets): it wraps and overwrites the take.
        // The recording ends at its maximum all the same.
        if (ReachedMaximum()) {
            running = false;
        }
    }
    if (capturing && !running) {
        StopCapture();
    }
    capturing = running;
    return running;
}

StatusRecord DirectSoundAudioDevice::StopCapture() {
    status.Reset();
    if (playbackObject == nullptr) {
        status.SetFailure("No open device or capture", -1);
        return status;
    }
    if (!capturing) {
        status.SetFailure("No capture to stop", -1);
        return status;
    }
    // The position first, then the status: a buffer that filled by itself
    // between the two is seen as filled (Wine then reads a position near
    // the start, which must not pass for a capture that went round), and one
    // still running after the reading went round while it ran.
    ObserveCapturePosition();
    const bool filledByItself = CaptureBufferFilledByItself();
    captureBuffer->Stop();
    takeBytes = CapturedLength(filledByItself);
    capturing = false;
    return status;
}

// A buffer started once that is no longer running has stopped because it was
// full, whatever read position the driver reports for it afterwards.
bool DirectSoundAudioDevice::CaptureBufferFilledByItself() {
    if (captureLooping) {
        return false;
    }
    DWORD bits = 0;
    if (FAILED(captureBuffer->GetStatus(&bits))) {
        return false;
    }
    return (bits & DSCBSTATUS_CAPTURING) == 0;
}

bool DirectSoundAudioDevice::NewBufferStartsMidway() {
    DWORD readPosition = 0;
    return SUCCEEDED(captureBuffer->GetCurrentPosition(nullptr, &readPosition)) && readPosition != 0;
}

bool DirectSoundAudioDevice::ObserveCapturePosition() {
    DWORD readPosition = 0;
    if (FAILED(captureBuffer->GetCurrentPosition(nullptr, &readPosition))) {
        return false;
    }
    captureProgress.Observe(static_cast<uint32_t>(readPosition));
    return true;
}

bool DirectSoundAudioDevice::ReachedMaximum() const {
    return captureProgress.CapturedBytes() >= FullTakeBytes();
}

// The length of the take just stopped, from the last reading of its
// position (one that cannot be read leaves what earlier readings saw). Only
// bytes the driver has captured count: a position still at 0 means nothing
// arrived yet (a driver may start late), unless the buffer filled or went
// round.
uint32_t DirectSoundAudioDevice::CapturedLength(bool filledByItself) {
    if (!captureStarted) {
        return 0;
    }
    if (filledByItself) {
        // Wine may have written the packets after the one that filled it
        // over the start.
        takeStart.PutBack(captureBuffer, FullTakeBytes());
        return FullTakeBytes();
    }
    const uint32_t position = captureProgress.Position();
    // A looping capture keeps its last lap, the bytes before the position.
    if (captureLooping) {
        return position != 0 || !captureProgress.Wrapped() ? position : FullTakeBytes();
    }
    // A recording is never longer than its maximum, wherever it was stopped.
    if (!captureProgress.Wrapped()) {
        return std::min(position, FullTakeBytes());
    }
    // A recording that went round overwrote its start up to the position:
    // put back from the copy, it is the whole take again. Beyond the copy,
    // the oldest audio starts at the position: the take is the maximum from
    // there, moved to the start of the buffer; if it cannot be moved, what
    // lies before the position is still a take in order.
    if (position == 0) {
        return FullTakeBytes();
    }
    if (takeStart.Kept() >= position && takeStart.PutBack(captureBuffer, position) == position) {
        return FullTakeBytes();
    }
    if (MoveOldestBytesToStart(position)) {
        return FullTakeBytes();
    }
    return position;
}

bool DirectSoundAudioDevice::MoveOldestBytesToStart(uint32_t oldest) {
    return WithCaptureRegion(captureBuffer, 0, captureBufferBytes,
                             [&](uint8_t* bytes) { std::rotate(bytes, bytes + oldest, bytes + captureBufferBytes); });
}

uint32_t DirectSoundAudioDevice::FullTakeBytes() const {
    const uint64_t milliseconds = static_cast<uint64_t>(std::llabs(static_cast<long long>(maxCaptureMs)));
    const uint64_t bytes = milliseconds * captureFormat.nAvgBytesPerSec / 1000u;
    return bytes < captureBufferBytes ? static_cast<uint32_t>(bytes) : captureBufferBytes;
}

void DirectSoundAudioDevice::ReleaseCaptureBuffer() {
    if (captureBuffer != nullptr) {
        captureBuffer->Stop();
        captureBuffer->Release();
        captureBuffer = nullptr;
    }
}

// Only when nothing plays: the copy of a take that is being replaced.
void DirectSoundAudioDevice::ReleasePlayBuffer() {
    if (playBuffer != nullptr) {
        playBuffer->Release();
        playBuffer = nullptr;
    }
}
