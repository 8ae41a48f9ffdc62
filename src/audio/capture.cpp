#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "audio/capture_region.h"
#include "audio/direct_sound_audio_device.h"

StatusRecord DirectSoundAudioDevice::StartCapture(int32_t maxMs, bool looping) {
    status.Reset();
    if (!Opened()) {
        status.SetFailure("Open device before capturing", -1);
        return status;
    }
    if (playing) {
        status.SetFailure("Cannot capture while playing a captured sound", -1);
        return status;
    }
    if (capturing && !meteringActive) {
        status.SetFailure("Already capturing, stop capture before starting a new capture", -1);
        return status;
    }
    // Refused as DirectSound refuses it, before any driver sees it.
    WAVEFORMATEX recordFormat{};
    if (!RecordableWaveFormat(format, &recordFormat)) {
        RefuseCaptureBuffer(DSERR_BADFORMAT);
        return status;
    }
    if (meteringActive) {
        SetLevelMetering(false, 50);
    }
    // Until the new capture has started the previous take stays whole, in
    // a copy of its own; takeBytes keeps its length until the new capture
    // is stopped.
    SetTakeAside();
    maxCaptureMs = maxMs;
    meteringDurationMs = 50;
    // A capture object that could not be made afresh last time is tried again.
    if (captureObject == nullptr && OpenCaptureObject().failed) {
        return status;
    }
    if (CreateCaptureBuffer(recordFormat, looping).failed) {
        return status;
    }
    // Wine keeps a capture object's write position from one buffer to the
    // next: the new buffer would fill from wherever the last one stopped,
    // even past its own end. A fresh capture object starts at 0, as every
    // buffer does on Windows.
    if (NewBufferStartsMidway()) {
        ReleaseCaptureBuffer();
        if (OpenCaptureObject().failed || CreateCaptureBuffer(recordFormat, looping).failed) {
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
    // The new take has begun: the previous one and its playback copy go.
    takeHeldAside = false;
    takeFormat = captureFormat;
    ReleasePlayBuffer();
    captureLooping = looping;
    BeginCaptureWatch();
    captureStartedAt = GetTickCount();
    captureRestarted = false;
    firstWindowAwaited = false;
    capturing = true;
    captureStarted = true;
    return status;
}

void DirectSoundAudioDevice::SetTakeAside() {
    if (captureBuffer != nullptr && !takeHeldAside && !capturing && takeBytes != 0) {
        takeHeldAside = takeCopy.Hold(captureBuffer, takeBytes);
    }
    ReleaseCaptureBuffer();
}

bool DirectSoundAudioDevice::IsCapturing() {
    if (captureBuffer == nullptr) {
        return capturing;
    }
    if (meteringActive) {
        return false;
    }
    bool running = false;
    if (!capturing) {
        DWORD bits = 0;
        running = SUCCEEDED(captureBuffer->GetStatus(&bits)) && (bits & DSCBSTATUS_CAPTURING) != 0;
        capturing = running;
        return running;
    }
    const HRESULT looked = LookAtCapture(&running);
    if (FAILED(looked)) {
        EndCaptureAfterLoss(looked);
        return false;
    }
    // Some drivers never stop a full buffer (Wine's, when its size is a
    // whole number of its packets): it wraps and overwrites the take. The
    // recording ends at its maximum all the same, and on the clock soon
    // after it whatever the driver says.
    if (running && !captureLooping && (ReachedMaximum() || PastDeadline())) {
        running = false;
    }
    if (!running) {
        StopCapture();
    }
    capturing = running;
    return running;
}

// Level metering is no recording: it goes on, and only StopGetInputLevel
// ends it.
StatusRecord DirectSoundAudioDevice::StopCapture() {
    status.Reset();
    if (!Opened()) {
        status.SetFailure("No open device or capture", -1);
        return status;
    }
    if (meteringActive) {
        status.SetFailure("No capture to stop", -1);
        return status;
    }
    return StopRunningCapture();
}

StatusRecord DirectSoundAudioDevice::StopRunningCapture() {
    status.Reset();
    if (!capturing) {
        status.SetFailure("No capture to stop", -1);
        return status;
    }
    // The position first, then the status: a buffer that filled by itself
    // between the two is seen as filled (Wine then reads a position near
    // the start, which must not pass for a capture that went round), and one
    // still running after the reading went round while it ran.
    bool filledByItself = false;
    const HRESULT looked = ObserveCapturePosition(&filledByItself);
    if (FAILED(looked)) {
        EndCaptureAfterLoss(looked);
        return status;
    }
    captureBuffer->Stop();
    takeBytes = CapturedLength(filledByItself);
    capturing = false;
    HoldTakeOnce();
    return status;
}

// A take that has ended is held once, in its copy, which keeps no more than
// the take; its capture buffer goes, and the capture object with it (Wine
// keeps a buffer's memory until its object goes; the next start makes a
// fresh one, as it does on Wine anyway). Where the copy cannot be had, the
// take stays in its buffer.
void DirectSoundAudioDevice::HoldTakeOnce() {
    if (takeCopy.Hold(captureBuffer, takeBytes)) {
        takeCopy.Fit();
        takeHeldAside = true;
        ReleaseCaptureObject();
    }
}

// A buffer started once that is no longer running has stopped because it was
// full, whatever read position the driver reports for it afterwards.
HRESULT DirectSoundAudioDevice::CaptureBufferFilledByItself(bool* filled) {
    *filled = false;
    if (captureLooping) {
        return S_OK;
    }
    DWORD bits = 0;
    const HRESULT result = captureBuffer->GetStatus(&bits);
    *filled = SUCCEEDED(result) && (bits & DSCBSTATUS_CAPTURING) == 0;
    return result;
}

bool DirectSoundAudioDevice::NewBufferStartsMidway() {
    DWORD readPosition = 0;
    return SUCCEEDED(captureBuffer->GetCurrentPosition(nullptr, &readPosition)) && readPosition != 0;
}

HRESULT DirectSoundAudioDevice::ObserveCapturePosition(bool* filled) {
    DWORD readPosition = 0;
    const HRESULT result = captureBuffer->GetCurrentPosition(nullptr, &readPosition);
    if (FAILED(result)) {
        return result;
    }
    // A buffer started once that has filled reads where the driver went on
    // writing afterwards (Wine writes the packets it had waiting over the
    // take's start): a reading counts only if the buffer still captured
    // after it was made.
    const HRESULT looked = CaptureBufferFilledByItself(filled);
    if (FAILED(looked) || *filled) {
        return looked;
    }
    captureProgress.Observe(static_cast<uint32_t>(readPosition));
    captureWatch.Observe(static_cast<uint32_t>(readPosition), GetTickCount());
    if (!captureLooping && !captureProgress.Wrapped()) {
        takeCopy.Follow(captureBuffer, captureProgress.Position());
    }
    return result;
}

void DirectSoundAudioDevice::BeginCaptureWatch() {
    captureProgress.Begin(captureBufferBytes);
    captureWatch.Begin(GetTickCount());
    if (captureLooping) {
        takeCopy.Clear();
    } else {
        takeCopy.Begin(FullTakeBytes());
    }
}

bool DirectSoundAudioDevice::ReachedMaximum() const {
    return captureProgress.CapturedBytes() >= FullTakeBytes();
}

bool DirectSoundAudioDevice::PastDeadline() const {
    const uint64_t maximum = static_cast<uint64_t>(std::llabs(static_cast<long long>(maxCaptureMs)));
    return GetTickCount() - captureStartedAt > maximum + kStallLimitMs;
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
        // over the start; what it wrote over the copy is put back.
        takeCopy.PutBack(captureBuffer, FullTakeBytes());
        return FullTakeBytes();
    }
    const uint32_t position = captureProgress.Position();
    if (captureLooping) {
        return LastLapLength();
    }
    // A recording is never longer than its maximum, wherever it was stopped.
    if (!captureProgress.Wrapped()) {
        return WholeFrames(std::min(position, FullTakeBytes()));
    }
    // A recording that went round overwrote its start up to the position:
    // put back from the copy, it is the whole take again. Beyond the copy,
    // the oldest audio starts at the position: the take is the maximum from
    // there, moved to the start of the buffer; if it cannot be moved, what
    // lies before the position is still a take in order.
    if (position == 0) {
        return FullTakeBytes();
    }
    if (takeCopy.Kept() >= position && takeCopy.PutBack(captureBuffer, position) == position) {
        return FullTakeBytes();
    }
    if (MoveOldestBytesToStart(position)) {
        return FullTakeBytes();
    }
    return WholeFrames(position);
}

// A looping capture keeps its last lap: the bytes before the position, or
// the whole take when the position stands at 0 after going round. Frames
// follow the capture, which ends a whole frame at the position, and the
// buffer need not be whole frames: a lap that does not begin on a frame is
// moved to the start from its first whole frame. The readings may have
// missed laps (the buffer can go round many times between two of them), so
// the frames are counted back from the position, not forward from a start.
// A lap that cannot be moved is no take.
uint32_t DirectSoundAudioDevice::LastLapLength() {
    const uint32_t position = captureProgress.Position();
    if (position == 0 && !captureProgress.Wrapped()) {
        return 0;
    }
    const uint32_t lapEnd = position != 0 ? position : captureBufferBytes;
    const uint32_t end = position != 0 ? position : FullTakeBytes();
    const uint32_t frameBytes = captureFormat.nBlockAlign;
    const uint32_t skipped = frameBytes != 0 ? lapEnd % frameBytes : 0;
    if (skipped >= end) {
        return 0;
    }
    if (skipped != 0 && !WithCaptureRegion(captureBuffer, 0, end, [&](uint8_t* bytes) {
            std::memmove(bytes, bytes + skipped, end - skipped);
        })) {
        return 0;
    }
    return WholeFrames(end - skipped);
}

uint32_t DirectSoundAudioDevice::WholeFrames(uint32_t bytes) const {
    const uint32_t frameBytes = captureFormat.nBlockAlign;
    return frameBytes != 0 ? bytes - bytes % frameBytes : bytes;
}

bool DirectSoundAudioDevice::MoveOldestBytesToStart(uint32_t oldest) {
    return WithCaptureRegion(captureBuffer, 0, captureBufferBytes,
                             [&](uint8_t* bytes) { std::rotate(bytes, bytes + oldest, bytes + captureBufferBytes); });
}

uint32_t DirectSoundAudioDevice::FullTakeBytes() const {
    const uint64_t milliseconds = static_cast<uint64_t>(std::llabs(static_cast<long long>(maxCaptureMs)));
    const uint64_t bytes = milliseconds * captureFormat.nAvgBytesPerSec / 1000u;
    return WholeFrames(bytes < captureBufferBytes ? static_cast<uint32_t>(bytes) : captureBufferBytes);
}

void DirectSoundAudioDevice::ReleaseCaptureBuffer() {
    if (captureBuffer != nullptr) {
        captureBuffer->Stop();
        captureBuffer->Release();
        captureBuffer = nullptr;
    }
}

// Each buffer goes before the object that made it.
void DirectSoundAudioDevice::ReleaseCaptureObject() {
    ReleaseCaptureBuffer();
    if (captureObject != nullptr) {
        LeaveTheDriverAFrame();
        captureObject->Release();
        captureObject = nullptr;
    }
    captureObjectMadeBuffers = false;
}

// Only when nothing plays: the copy of the take in a sound buffer.
void DirectSoundAudioDevice::ReleasePlayBuffer() {
    if (playBuffer != nullptr) {
        playBuffer->Release();
        playBuffer = nullptr;
    }
}
