// A capture or playback device that goes away under a running buffer. The
// driver may answer errors from then on, or go on saying it runs with a
// position that no longer moves; either ends the recording, metering or
// playback there. The take keeps what was captured before, the loss is
// reported once, and the broken objects go, so that the next start makes
// fresh ones: an object made before the loss stays broken once the device
// is back.
#include "audio/direct_sound_audio_device.h"

namespace {

constexpr const char* kCaptureLost = "Audio capture device lost: the take keeps what was recorded before";
constexpr const char* kMeteringLost = "Audio capture device lost: level metering stopped";
constexpr const char* kPlaybackLost = "Audio playback device lost: playback stopped";

// A position that stood still has no code of DirectSound's.
constexpr HRESULT kStoodStill = -1;

// Wine sometimes never delivers on a fresh capture object; a restart on
// another one cures it.
constexpr DWORD kNothingCapturedRestartMs = 2000;

}  // namespace

HRESULT DirectSoundAudioDevice::LookAtCapture(bool* running) {
    DWORD bits = 0;
    const HRESULT status = captureBuffer->GetStatus(&bits);
    *running = SUCCEEDED(status) && (bits & DSCBSTATUS_CAPTURING) != 0;
    if (!*running) {
        return status;
    }
    bool filled = false;
    const HRESULT observed = ObserveCapturePosition(&filled);
    if (FAILED(observed) || filled) {
        *running = !filled;
        return observed;
    }
    const DWORD now = GetTickCount();
    if (captureProgress.CapturedBytes() == 0 && !captureRestarted &&
        captureWatch.SinceBegin(now) >= kNothingCapturedRestartMs) {
        return RestartOnFreshCaptureObject();
    }
    return captureWatch.StoodStillTooLong(now) ? kStoodStill : S_OK;
}

// In the capture's own format, whatever SetFormat did meanwhile. What fails
// here ends the take as a loss, reported once, by the caller.
HRESULT DirectSoundAudioDevice::RestartOnFreshCaptureObject() {
    captureRestarted = true;
    HRESULT result = MakeCaptureObject();
    if (SUCCEEDED(result)) {
        result = MakeCaptureBuffer(captureFormat, captureLooping);
    }
    if (SUCCEEDED(result)) {
        result = captureBuffer->Start(captureLooping ? DSCBSTART_LOOPING : 0);
    }
    if (SUCCEEDED(result)) {
        BeginCaptureWatch();
    }
    return result;
}

HRESULT DirectSoundAudioDevice::WatchPlayback() {
    DWORD position = 0;
    const HRESULT result = playBuffer->GetCurrentPosition(&position, nullptr);
    if (FAILED(result)) {
        return result;
    }
    const DWORD now = GetTickCount();
    playWatch.Observe(static_cast<uint32_t>(position), now);
    return playWatch.StoodStillTooLong(now) ? kStoodStill : S_OK;
}

void DirectSoundAudioDevice::EndCaptureAfterLoss(HRESULT code) {
    const bool metering = meteringActive;
    capturing = false;
    meteringActive = false;
    if (!metering) {
        // Whole frames of what was copied before the loss; nothing after it.
        takeBytes = WholeFrames(takeCopy.Kept());
        takeCopy.Fit();
        takeHeldAside = true;
    }
    ReleaseCaptureObject();
    captureDeviceSeenLost = true;
    lostCaptureDevice = CaptureDeviceId();
    status.SetFailure(metering ? kMeteringLost : kCaptureLost, static_cast<int32_t>(code));
}

void DirectSoundAudioDevice::EndPlaybackAfterLoss(HRESULT code) {
    playing = false;
    if (playBuffer != nullptr) {
        playBuffer->Stop();
    }
    ReleasePlayBuffer();
    if (playbackObject != nullptr) {
        playbackObject->Release();
        playbackObject = nullptr;
        playbackObjectLost = true;
    }
    status.SetFailure(kPlaybackLost, static_cast<int32_t>(code));
}
