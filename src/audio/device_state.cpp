#include "audio/direct_sound_audio_device.h"

DirectSoundAudioDevice::DirectSoundAudioDevice(HWND window, HostText text)
    : windowHandle(window), hostText(text) {}

DirectSoundAudioDevice::~DirectSoundAudioDevice() {
    // A failed Open leaves COM initialised without a playback object; Close
    // balances it as well.
    if (Opened() || comInitialised) {
        Close();
    }
}

StatusRecord DirectSoundAudioDevice::ResetStatus() {
    status.Reset();
    return status;
}

StatusRecord DirectSoundAudioDevice::PollState() {
    status.Reset();
    if (capturing) {
        IsCapturing();
    }
    // Metering is not asked by IsCapturing; a reading at every idle tick
    // still tells when its buffer goes round, so that a level never comes
    // from bytes the capture has not reached, and when its device is gone.
    bool running = false;
    const HRESULT looked = meteringActive && captureBuffer != nullptr ? LookAtCapture(&running) : S_OK;
    if (FAILED(looked)) {
        EndCaptureAfterLoss(looked);
    }
    if (playing) {
        IsPlaying();
    }
    return status;
}
