// The audio engine as the dispatcher and the instance see it: twenty
// operations in a fixed order, and the state every implementation shares.
#pragma once

#include <cstdint>

#include "audio/capture_device_list.h"
#include "diag/status_record.h"
#include "platform/windows_api.h"

class AudioDevice {
public:
    AudioDevice() { status.Reset(); }
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    virtual StatusRecord Open(const char* deviceName) = 0;                       // 0
    virtual bool IsOpen() = 0;                                                   // 1
    virtual StatusRecord Close() = 0;                                            // 2
    virtual StatusRecord StartCapture(int32_t maxMs, bool looping) = 0;          // 3
    virtual bool IsCapturing() { return capturing; }                             // 4
    virtual StatusRecord StopCapture() = 0;                                      // 5
    virtual StatusRecord SaveAsFile(const char* path) = 0;                       // 6
    virtual StatusRecord PlayStart() = 0;                                        // 7
    virtual StatusRecord PlayStop() = 0;                                         // 8
    virtual bool IsPlaying() { return playing; }                                 // 9
    // A movable global memory block holding a WAV image, owned by the caller.
    virtual HGLOBAL SoundImage() = 0;                                            // 10
    virtual StatusRecord ResetStatus() = 0;                                      // 11
    virtual StatusRecord PollState() = 0;                                        // 12
    virtual StatusRecord GetLevel(int32_t* left, int32_t* right) = 0;            // 13
    virtual StatusRecord SetLevelMeteringDuration(int32_t durationMs) = 0;       // 14
    virtual StatusRecord SetLevelMetering(bool enable, int32_t durationMs) = 0;  // 15
    virtual bool IsLevelMeteringActive() { return meteringActive; }              // 16
    // The rate is in kilohertz; compression is a buffer of at least 5 bytes.
    virtual StatusRecord GetFormat(int32_t* channels, float* sampleRateKHz, int32_t* bitsPerSample,
                                   char* compression) = 0;                       // 17
    virtual StatusRecord SetFormat(int32_t channels, float sampleRateKHz, int32_t bitsPerSample,
                                   const char* compression) = 0;                 // 18
    virtual StatusRecord EnumerateDevices(CaptureDeviceList* list) = 0;          // 19
    // Last in the table, after the twenty: the owner deletes through the base.
    virtual ~AudioDevice() = default;

    // Attaches (or, with nulls, detaches) the failure callback of status.
    StatusRecord SetStatusCallback(void* userData, StatusCallback callback) {
        status.Reset();
        status.SetCallback(userData, callback);
        return status;
    }

    // SoundImage's refusals when there is no take to make it from, which
    // callers tell apart from a take that could not be copied.
    static constexpr const char* kNoTakeText = "No sound to trim";
    static constexpr const char* kStillCapturingText = "Cannot trim a sound while still capturing";

    StatusRecord status;
    bool capturing = false;
    bool playing = false;
    bool meteringActive = false;
};
