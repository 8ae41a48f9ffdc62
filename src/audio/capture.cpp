#include <cstdint>
#include <cstdlib>

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
    if (CreateCaptureBuffer().failed) {
        return status;
    }
    // A buffer that never started holds no audio: reporting "Ok" would
    // later hand out its silence as a full take.
    const HRESULT started = captureBuffer->Start(looping ? DSCBSTART_LOOPING : 0);
    if (FAILED(started)) {
        ReleaseCaptureBuffer();
        status.SetFailure("Could not start capture", started);
        return status;
    }
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
    const bool running = (bits & DSCBSTATUS_CAPTURING) != 0;
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

uint32_t DirectSoundAudioDevice::CapturedLength(bool filledByItself) {
    if (!captureStarted) {
        return 0;
    }
    if (filledByItself) {
        return FullTakeBytes();
    }
    DWORD readPosition = 0;
    captureBuffer->GetCurrentPosition(nullptr, &readPosition);
    if (readPosition == 0) {
        return FullTakeBytes();
    }
    return readPosition < captureBufferBytes ? static_cast<uint32_t>(readPosition) : captureBufferBytes;
}

uint32_t DirectSoundAudioDevice::FullTakeBytes() const {
    const uint64_t milliseconds = static_cast<uint64_t>(std::llabs(static_cast<long long>(maxCaptureMs)));
    const uint64_t bytes = milliseconds * format.nAvgBytesPerSec / 1000u;
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
