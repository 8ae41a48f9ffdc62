// The audio engine on DirectSound: one capture device and one playback
// object, one take that lives in its capture buffer.
#pragma once

#include <cstdint>

#include "audio/audio_device.h"
#include "audio/capture_progress.h"
#include "audio/position_watch.h"
#include "audio/recording_format.h"
#include "audio/take_copy.h"
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
    // more than the capture buffer holds, in whole frames.
    uint32_t FullTakeBytes() const;
    // Bytes rounded down to whole frames of the capture's format.
    uint32_t WholeFrames(uint32_t bytes) const;

    HWND windowHandle;
    HostText hostText;
    // The format SetFormat gave, for the next recording.
    RecordingFormat format;
    // The format the capture buffer was made with: a recording and its
    // levels keep it until it ends, whatever SetFormat does meanwhile.
    WAVEFORMATEX captureFormat{};
    // The format the take was recorded in: it is saved, made a member and
    // played in it.
    WAVEFORMATEX takeFormat{};
    int32_t meteringDurationMs = 0;
    IDirectSoundCapture* captureObject = nullptr;
    IDirectSoundCaptureBuffer* captureBuffer = nullptr;
    // captureObject has made a buffer (see LeaveTheDriverAFrame).
    bool captureObjectMadeBuffers = false;
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
    // The capture device this object saw go away during a capture, until a
    // buffer is made on it again: coming back, it may refuse buffers for a
    // while, and a start waits for it.
    bool captureDeviceSeenLost = false;
    GUID lostCaptureDevice{};
    CaptureProgress captureProgress;
    // The recording's bytes as they came, to put back where a driver writes
    // over them, and the take itself once its device is lost (see TakeCopy).
    TakeCopy takeCopy;
    // The take lives in takeCopy: its capture buffer went with its device.
    bool takeHeldAside = false;
    // Progress of the running capture and of playback, against a driver
    // that says it runs but no longer moves.
    PositionWatch captureWatch;
    PositionWatch playWatch;
    // GetTickCount when the recording started, for its deadline.
    DWORD captureStartedAt = 0;
    // The running capture was restarted on a fresh capture object.
    bool captureRestarted = false;
    // The playback object went with its device; the device counts as open
    // and the next PlaySound makes a fresh one.
    bool playbackObjectLost = false;
    // The first level of this capture has waited for its first window.
    bool firstWindowAwaited = false;

private:
    static constexpr DWORD kFirstWindowWaitMs = 1000;
    static constexpr DWORD kFirstWindowPollMs = 2;

    bool Opened() const { return playbackObject != nullptr || playbackObjectLost; }
    // The chosen capture device's GUID; zeros for the default device.
    GUID CaptureDeviceId() const { return captureDeviceIsDefault ? GUID{} : captureDeviceGuid; }
    bool CaptureDeviceComingBack() const;
    StatusRecord MakePlaybackObject();
    // A buffer for maxCaptureMs of recordFormat, which becomes captureFormat,
    // for a recording or for metering (looping); a refusal is the status'
    // failure.
    StatusRecord CreateCaptureBuffer(const WAVEFORMATEX& recordFormat, bool looping);
    // The same, answering DirectSound's result and reporting nothing.
    HRESULT MakeCaptureBuffer(WAVEFORMATEX recordFormat, bool looping);
    void RefuseCaptureBuffer(HRESULT result);
    // The take leaves its capture buffer for a copy of its own, and the
    // buffer goes: a new buffer can be made, and a refused start loses
    // nothing.
    void SetTakeAside();
    void HoldTakeOnce();
    // The capture device's object, afresh: its buffers must be gone already.
    StatusRecord OpenCaptureObject();
    // The same, answering DirectSound's result and reporting nothing.
    HRESULT MakeCaptureObject();
    // Stops whatever capture runs, a recording or level metering.
    StatusRecord StopRunningCapture();
    uint32_t CapturedLength(bool filledByItself);
    uint32_t LastLapLength();
    HRESULT CaptureBufferFilledByItself(bool* filled);
    // A buffer just made reports a position other than 0 before it started.
    bool NewBufferStartsMidway();
    // Reads the capture's read position into captureProgress, captureWatch
    // and the take's copy, unless the buffer, started once, has filled (then
    // *filled); DirectSound's failure when it does not answer.
    HRESULT ObserveCapturePosition(bool* filled);
    // Progress, copy and watch of a capture just started.
    void BeginCaptureWatch();
    bool ReachedMaximum() const;
    bool PastDeadline() const;
    // ---- device loss (device_loss.cpp)
    // One look at the running capture: its status, then its position while
    // it says it captures. S_OK, or what ends it: DirectSound's failure or
    // a position that stood still too long.
    HRESULT LookAtCapture(bool* running);
    HRESULT RestartOnFreshCaptureObject();
    HRESULT WatchPlayback();
    // The recording or metering ends there, its broken objects go, and the
    // loss is reported once.
    void EndCaptureAfterLoss(HRESULT code);
    void EndPlaybackAfterLoss(HRESULT code);
    // Lends the take's bytes to use(const uint8_t*): from its capture buffer,
    // locked meanwhile, or from the copy kept when its device went. S_OK,
    // the lock's failure, or S_FALSE when the lock gave less than the take.
    template <typename Use>
    HRESULT ReadTake(Use use);
    bool MoveOldestBytesToStart(uint32_t oldest);
    void WaitForFirstWindow(uint64_t windowBytes);
    StatusRecord CopyTakeToPlayBuffer();
    // The take can be read: it has bytes, and its buffer or its copy.
    bool HasTake() const {
        return takeBytes != 0 && (takeHeldAside ? takeCopy.Kept() >= takeBytes : captureBuffer != nullptr);
    }
    void ReleaseCaptureBuffer();
    void ReleaseCaptureObject();
    void LeaveTheDriverAFrame();
    void ReleasePlayBuffer();
};

template <typename Use>
HRESULT DirectSoundAudioDevice::ReadTake(Use use) {
    if (takeHeldAside || captureBuffer == nullptr) {
        use(takeCopy.Bytes());
        return S_OK;
    }
    void* take = nullptr;
    DWORD locked = 0;
    void* wrapped = nullptr;
    DWORD wrappedBytes = 0;
    const HRESULT result = captureBuffer->Lock(0, takeBytes, &take, &locked, &wrapped, &wrappedBytes, 0);
    if (FAILED(result)) {
        return result;
    }
    const bool whole = take != nullptr && locked >= takeBytes;
    if (whole) {
        use(static_cast<const uint8_t*>(take));
    }
    captureBuffer->Unlock(take, locked, wrapped, wrappedBytes);
    return whole ? S_OK : S_FALSE;
}
