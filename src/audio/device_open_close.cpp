#include <cstring>

#include "audio/direct_sound_audio_device.h"
#include "audio/guid_text.h"

StatusRecord DirectSoundAudioDevice::Open(const char* deviceName) {
    status.Reset();
    if (Opened()) {
        status.SetFailure("Device already open", -1);
        return status;
    }
    // COM stays initialised after a failed Open until Close; a retry must
    // not initialise it a second time or the balance is lost.
    if (!comInitialised) {
        const HRESULT comResult = CoInitialize(nullptr);
        if (comResult == S_OK || comResult == S_FALSE) {
            comInitialised = true;
        } else {
            status.SetFailure("Could not initialise COM", static_cast<int32_t>(comResult));
        }
    }
    if (!status.failed) {
        MakePlaybackObject();
    }
    if (!status.failed) {
        captureDeviceIsDefault = deviceName == nullptr || deviceName[0] == '\0';
        if (!captureDeviceIsDefault) {
            CaptureDeviceList list;
            EnumerateDevices(&list);
            const CaptureDeviceEntry* match = nullptr;
            for (int i = 0; i < list.count; ++i) {
                // A name the host's text cannot hold still opens by its GUID.
                if (std::strcmp(list.entries[i].description, deviceName) == 0 ||
                    IsGuidTextOf(deviceName, list.entries[i].guid)) {
                    match = &list.entries[i];
                }
            }
            if (match == nullptr) {
                status.SetFailure("Cannot find user supplied audio capture device", -1);
            } else {
                std::memcpy(&captureDeviceGuid, match->guid, sizeof captureDeviceGuid);
            }
        }
    }
    if (!status.failed) {
        OpenCaptureObject();
    }
    if (status.failed && playbackObject != nullptr) {
        playbackObject->Release();
        playbackObject = nullptr;
    }
    return status;
}

// Also afresh when the last one went with its device.
StatusRecord DirectSoundAudioDevice::MakePlaybackObject() {
    HRESULT result = DirectSoundCreate(nullptr, &playbackObject, nullptr);
    if (FAILED(result)) {
        playbackObject = nullptr;
        status.SetFailure("Could not access Direct Sound", static_cast<int32_t>(result));
        return status;
    }
    result = playbackObject->SetCooperativeLevel(windowHandle, DSSCL_NORMAL);
    if (FAILED(result)) {
        playbackObject->Release();
        playbackObject = nullptr;
        status.SetFailure("Could not set co-op level", static_cast<int32_t>(result));
        return status;
    }
    playbackObjectLost = false;
    return status;
}

StatusRecord DirectSoundAudioDevice::OpenCaptureObject() {
    const HRESULT result = MakeCaptureObject();
    if (FAILED(result)) {
        status.SetFailure("Cannot access audio capture device", static_cast<int32_t>(result));
    }
    return status;
}

HRESULT DirectSoundAudioDevice::MakeCaptureObject() {
    ReleaseCaptureObject();
    const HRESULT result =
        DirectSoundCaptureCreate(captureDeviceIsDefault ? nullptr : &captureDeviceGuid, &captureObject, nullptr);
    if (FAILED(result)) {
        captureObject = nullptr;
    }
    return result;
}

bool DirectSoundAudioDevice::IsOpen() {
    return Opened();
}

StatusRecord DirectSoundAudioDevice::Close() {
    status.Reset();
    if (playing) {
        PlayStop();
    }
    if (capturing) {
        StopRunningCapture();
    }
    // Metering lives on the capture that goes here: a later Open starts
    // without it, and StartGetInputLevel must start it afresh.
    meteringActive = false;
    ReleaseCaptureObject();
    takeCopy.Clear();
    takeHeldAside = false;
    playbackObjectLost = false;
    if (playbackObject != nullptr) {
        if (playBuffer != nullptr) {
            playBuffer->Stop();
            playBuffer->Release();
            playBuffer = nullptr;
        }
        playbackObject->Release();
        playbackObject = nullptr;
    }
    if (comInitialised) {
        CoUninitialize();
    }
    comInitialised = false;
    return status;
}
