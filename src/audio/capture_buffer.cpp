#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "audio/capture_buffer_error_text.h"
#include "audio/direct_sound_audio_device.h"

namespace {

// DirectSound tells the two description forms apart by their size.
#if defined(_WIN32)
static_assert(sizeof(DSCBUFFERDESC) == 28, "DirectSound's capture description with effects");
static_assert(sizeof(DSCBUFFERDESC1) == 20, "DirectSound's capture description without effects");
static_assert(sizeof(WAVEFORMATEX) == 18, "the format record DirectSound reads");
#endif

constexpr uint32_t kSpareBytes = 200;

// The answer of a capture device not ready for capture (Wine's, for a while
// after a lost device is listed again).
constexpr HRESULT kDeviceNotAvailable = static_cast<HRESULT>(0x8889000Fu);
// Under Wine a device back after a loss refused buffers for up to 2.8 s
// after OpenAudio could open it again; a start waits a while longer.
constexpr DWORD kComingBackWaitMs = 4000;
constexpr DWORD kComingBackRetryMs = 100;

// Wine delivers in 10 ms packets. Into a buffer smaller than a packet it
// copies only the packet's end and never moves its position, so a take or
// a metering window that short would never arrive: a buffer for any audio
// at all holds at least one packet.
constexpr long long kShortestBufferMs = 10;

// The buffer for maxMs of the format, plus spare bytes, in whole units of
// unitBytes. Worked out in 64 bits; a size past 32 bits is passed as the
// largest one so that DirectSound refuses it instead of receiving a wrapped
// small size.
uint32_t CaptureBufferBytesFor(int32_t maxMs, DWORD avgBytesPerSec, uint32_t unitBytes) {
    long long milliseconds = std::llabs(static_cast<long long>(maxMs));
    if (milliseconds != 0 && milliseconds < kShortestBufferMs) {
        milliseconds = kShortestBufferMs;
    }
    const double product = std::trunc(static_cast<double>(milliseconds) * 0.001 * static_cast<double>(avgBytesPerSec));
    const uint64_t bytes = (static_cast<uint64_t>(product) + kSpareBytes) / unitBytes * unitBytes;
    return bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(bytes);
}

}  // namespace

StatusRecord DirectSoundAudioDevice::CreateCaptureBuffer(const WAVEFORMATEX& recordFormat, bool looping) {
    status.Reset();
    HRESULT result = MakeCaptureBuffer(recordFormat, looping);
    // A capture object made before its device went away, while this object
    // was not capturing, stays broken once the device is back (Wine's
    // answers "Device not available" for ever); a fresh one works.
    if (result == kDeviceNotAvailable) {
        const HRESULT reopened = MakeCaptureObject();
        result = SUCCEEDED(reopened) ? MakeCaptureBuffer(recordFormat, looping) : reopened;
    }
    const DWORD firstTry = GetTickCount();
    while (result == kDeviceNotAvailable && CaptureDeviceComingBack() &&
           GetTickCount() - firstTry < kComingBackWaitMs) {
        Sleep(kComingBackRetryMs);
        result = MakeCaptureBuffer(recordFormat, looping);
    }
    if (FAILED(result)) {
        RefuseCaptureBuffer(result);
        return status;
    }
    captureDeviceSeenLost = false;
    return status;
}

bool DirectSoundAudioDevice::CaptureDeviceComingBack() const {
    const GUID device = CaptureDeviceId();
    return captureDeviceSeenLost && std::memcmp(&device, &lostCaptureDevice, sizeof device) == 0;
}

HRESULT DirectSoundAudioDevice::MakeCaptureBuffer(WAVEFORMATEX recordFormat, bool looping) {
    ReleaseCaptureBuffer();
    captureFormat = recordFormat;
    // A recording's buffer is whole frames, so that frames stand at the same
    // places in every lap Wine may write over it after it filled.
    const uint32_t unitBytes = looping || captureFormat.nBlockAlign == 0 ? 1 : captureFormat.nBlockAlign;
    captureBufferBytes = CaptureBufferBytesFor(maxCaptureMs, captureFormat.nAvgBytesPerSec, unitBytes);

    DSCBUFFERDESC withEffects{};
    withEffects.dwSize = sizeof(DSCBUFFERDESC);
    withEffects.dwFlags = 0;
    withEffects.dwBufferBytes = captureBufferBytes;
    withEffects.dwReserved = 0;
    withEffects.lpwfxFormat = &captureFormat;
    withEffects.dwFXCount = 0;
    withEffects.lpDSCFXDesc = nullptr;
    HRESULT result = captureObject->CreateCaptureBuffer(&withEffects, &captureBuffer, nullptr);
    if (SUCCEEDED(result)) {
        captureObjectMadeBuffers = true;
        return result;
    }

    DSCBUFFERDESC1 plain{};
    plain.dwSize = sizeof(DSCBUFFERDESC1);
    plain.dwFlags = 0;
    plain.dwBufferBytes = captureBufferBytes;
    plain.dwReserved = 0;
    plain.lpwfxFormat = &captureFormat;
    result = captureObject->CreateCaptureBuffer(reinterpret_cast<LPCDSCBUFFERDESC>(&plain), &captureBuffer, nullptr);
    if (FAILED(result) && captureBuffer != nullptr) {
        captureBuffer->Release();
        captureBuffer = nullptr;
    }
    captureObjectMadeBuffers = captureObjectMadeBuffers || SUCCEEDED(result);
    return result;
}

// Wine 8.0 never frees the memory of a capture object's last buffer: its
// capture device keeps it, and leaks it when the object goes (a take's
// worth at every take, as a fresh object is made for each). So before an
// object that made buffers goes, a buffer of one frame is made on it and
// let go at once: that frame is what it keeps. A driver that refuses so
// small a buffer loses nothing by it.
void DirectSoundAudioDevice::LeaveTheDriverAFrame() {
    if (!captureObjectMadeBuffers) {
        return;
    }
    DSCBUFFERDESC1 frame{};
    frame.dwSize = sizeof(DSCBUFFERDESC1);
    frame.dwBufferBytes = captureFormat.nBlockAlign;
    frame.lpwfxFormat = &captureFormat;
    IDirectSoundCaptureBuffer* last = nullptr;
    if (SUCCEEDED(captureObject->CreateCaptureBuffer(reinterpret_cast<LPCDSCBUFFERDESC>(&frame), &last, nullptr)) &&
        last != nullptr) {
        last->Release();
    }
}

void DirectSoundAudioDevice::RefuseCaptureBuffer(HRESULT result) {
    char message[128];
    FormatCaptureBufferError(result, message, sizeof message);
    status.SetFailure(message, static_cast<int32_t>(result));
}
