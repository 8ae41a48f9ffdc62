// The audio engine on DirectSound: one capture device and one playback
// object, one take that lives in its capture buffer.
#pragma once

#include <cstdint>

#include "audio/audio_device.h"
#include "audio/capture_progress.h"
#include "audio/take_start_copy.h"
#include "host/host_text.h"
#include "platform/windows_api.h"

class DirectSoundAudioDevice : public AudioDevice {
public:
    // Device names and paths are in hostText; Windows is given them in UTF-16.
    explicit DirectSoundAudioDevice(HWND window, HostText hostText = HostText::AnsiCodePage());
    ~DirectSoundAudioDevice() override;

    StatusRecord Open(const char* deviceName) override;
    bool IsOpen() override;
    StatusRecord Close() override;
    StatusRecord StartCapture(int32_t maxMs, bool looping) override;
    bool IsCapturing() override;
    StatusRecord StopCapture() override;
    StatusRecord SaveAsFile(const char* path) override;
    StatusRecord PlayStart() override;
    StatusRecord PlayStop() override;
    bool IsPlaying() override;
    HGLOBAL SoundImage() override;
    StatusRecord ResetStatus() override;
    StatusRecord PollState() override;
    StatusRecord GetLevel(int32_t* left, int32_t* right) override;
    StatusRecord SetLevelMeteringDuration(int32_t durationMs) override;
    StatusRecord SetLevelMetering(bool enable, int32_t durationMs) override;
    StatusRecord GetFormat(int32_t* channels, float* sampleRateKHz, int32_t* bitsPerSample,
                           char* compression) override;
    StatusRecord SetFormat(int32_t channels, float sampleRateKHz, int32_t bitsPerSample,
                           const char* compression) override;
    StatusRecord EnumerateDevices(CaptureDeviceList* list) override;

    // The take as a RIFF/WAVE image less frontBytes and backBytes; handle is
    // null unless an image was made.
    StatusRecord MakeSoundImage(uint32_t frontBytes, uint32_t backBytes, HGLOBAL* handle);

    // Bytes of a full take of maxCaptureMs in the capture's format, never
    // more than the capture buffer holds.
    uint32_t FullTakeBytes() const;

    HWND windowHandle;
    HostText hostText;
    WAVEFORMATEX format;
    // The format the capture buffer was made with: a recording and its
    // levels keep it until it ends, whatever SetFormat does meanwhile.
    WAVEFORMATEX captureFormat{};
    int32_t meteringDurationMs = 0;
    IDirectSoundCapture* captureObject = nullptr;
    IDirectSoundCaptureBuffer* captureBuffer = nullptr;
    IDirectSound* playbackObject = nullptr;
    IDirectSoundBuffer* playBuffer = nullptr;
    uint32_t takeBytes = 0;
    uint32_t captureBufferBytes = 0;
    int32_t maxCaptureMs = 10000;
    bool captureStarted = false;
    bool comInitialised = false;
    // The running capture wraps instead of stopping when full.
    bool captureLooping = false;
    // The capture device that Open chose: its GUID, or the default device.
    GUID captureDeviceGuid{};
    bool captureDeviceIsDefault = true;
    CaptureProgress captureProgress;
    // The first second of a recording, to put back where a driver writes
    // over it (see TakeStartCopy).
    TakeStartCopy takeStart;
    // The first level of this capture has waited for its first bytes.
    bool firstBytesAwaited = false;

private:
    static constexpr DWORD kFirstBytesWaitMs = 1000;
    static constexpr DWORD kFirstBytesPollMs = 2;

    StatusRecord CreateCaptureBuffer();
    StatusRecord OpenCaptureObject();
    StatusRecord ReopenCaptureObject();
    uint32_t CapturedLength(bool filledByItself);
    bool CaptureBufferFilledByItself();
    // A buffer just made reports a position other than 0 before it started.
    bool NewBufferStartsMidway();
    // Reads the capture's read position into captureProgress; false when
    // DirectSound does not answer.
    bool ObserveCapturePosition();
    bool ReachedMaximum() const;
    bool MoveOldestBytesToStart(uint32_t oldest);
    void WaitForFirstCapturedBytes();
    StatusRecord CopyTakeToPlayBuffer();
    // The take can be read: it has bytes and its buffer still exists.
    bool HasTake() const { return takeBytes != 0 && captureBuffer != nullptr; }
    void ReleaseCaptureBuffer();
    void ReleasePlayBuffer();
};
