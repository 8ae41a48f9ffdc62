// A capture buffer that fills from the simulator clock at the format's byte
// rate, lazily, whenever it is asked about.
#include <algorithm>
#include <new>

#include "platform/sim_buffer_memory.h"
#include "platform/sim_factories.h"
#include "platform/sim_object.h"
#include "platform/sim_wave_format.h"

namespace marlowsim::detail {
namespace {

class SimCaptureBuffer final : public IDirectSoundCaptureBuffer, private SimObject {
public:
    SimCaptureBuffer(uint64_t makerId, const WAVEFORMATEX& format)
        : makerId_(makerId), format_(format) {
        NoteBufferMade(makerId_);
    }
    ~SimCaptureBuffer() { NoteBufferGone(makerId_); }

    bool Allocate(DWORD bytes) { return memory_.AllocateSilence(bytes, SilenceByte(format_)); }

    // ---- IUnknown
    HRESULT QueryInterface(REFIID riid, void** object) override {
        return QueryOwnInterface(riid, IID_IDirectSoundCaptureBuffer, this, object);
    }
    ULONG AddRef() override { return AddReference(); }
    ULONG Release() override {
        ULONG left = 0;
        if (DropReference(&left)) delete this;
        return left;
    }

    // ---- IDirectSoundCaptureBuffer
    HRESULT GetCaps(LPDSCBCAPS) override { return E_NOTIMPL; }
    HRESULT GetCurrentPosition(LPDWORD capturePosition, LPDWORD readPosition) override;
    HRESULT GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT GetStatus(LPDWORD status) override;
    HRESULT Initialize(LPDIRECTSOUNDCAPTURE, LPCDSCBUFFERDESC) override { return E_NOTIMPL; }
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                 LPDWORD secondBytes, DWORD flags) override;
    HRESULT Start(DWORD flags) override;
    HRESULT Stop() override;
    HRESULT Unlock(LPVOID first, DWORD firstBytes, LPVOID second, DWORD secondBytes) override;

private:
    uint64_t Capacity() const { return memory_.Size() - memory_.Size() % format_.nBlockAlign; }
    void CatchUp();
    DWORD ReadPosition() const;
    DWORD WrappedFullPosition() const;

    const uint64_t makerId_;
    const WAVEFORMATEX format_;
    BufferMemory memory_;
    bool running_ = false;
    bool looping_ = false;
    bool full_ = false;      // started once and stopped by itself at the end
    uint64_t captured_ = 0;  // absolute bytes captured since the buffer was made
    uint64_t written_ = 0;   // of which already in memory
    uint64_t capturedAtStart_ = 0;
    uint64_t startedAtMs_ = 0;
};

// Brings the captured count up to the clock and writes the input signal
// for it; a looping buffer that went round more than once keeps the last lap.
void SimCaptureBuffer::CatchUp() {
    if (running_) {
        uint64_t target = capturedAtStart_ + BytesInSpan(ClockNow() - startedAtMs_, format_);
        if (!looping_ && target >= Capacity()) {
            target = Capacity();
            running_ = false;
            full_ = true;
        }
        captured_ = target;
    }
    const uint64_t size = memory_.Size();
    uint64_t from = std::max(written_, captured_ > size ? captured_ - size : 0);
    for (; from < captured_; ++from) memory_.Bytes()[from % size] = InputByte(format_, from);
    written_ = captured_;
}

// As Wine reports it for a full buffer: never 0, never the full length.
DWORD SimCaptureBuffer::WrappedFullPosition() const {
    const uint64_t size = memory_.Size();
    const uint64_t period = BytesInSpan(100, format_);
    uint64_t position = period == 0 ? 0 : size % period;
    if (position == 0 || position >= size)
        position = format_.nBlockAlign < size ? format_.nBlockAlign : size - 1;
    return static_cast<DWORD>(position);
}

DWORD SimCaptureBuffer::ReadPosition() const {
    if (full_) return TheMachine().reportWrappedReadPosition ? WrappedFullPosition() : 0;
    return static_cast<DWORD>(captured_ % memory_.Size());
}

HRESULT SimCaptureBuffer::GetCurrentPosition(LPDWORD capturePosition, LPDWORD readPosition) {
    const HRESULT fault = EnterCall(Call::CaptureGetCurrentPosition);
    if (fault != S_OK) return fault;
    if (!capturePosition && !readPosition) return DSERR_INVALIDPARAM;
    CatchUp();
    if (capturePosition) *capturePosition = ReadPosition();
    if (readPosition) *readPosition = ReadPosition();
    return DS_OK;
}

HRESULT SimCaptureBuffer::GetStatus(LPDWORD status) {
    const HRESULT fault = EnterCall(Call::CaptureGetStatus);
    if (fault != S_OK) return fault;
    if (!status) return DSERR_INVALIDPARAM;
    CatchUp();
    *status = running_ ? DSCBSTATUS_CAPTURING | (looping_ ? DSCBSTATUS_LOOPING : 0) : 0;
    return DS_OK;
}

HRESULT SimCaptureBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes,
                               LPVOID* second, LPDWORD secondBytes, DWORD) {
    const HRESULT fault = EnterCall(Call::CaptureLock);
    if (fault != S_OK) return fault;
    CatchUp();
    return memory_.Lock(offset, bytes, first, firstBytes, second, secondBytes);
}

HRESULT SimCaptureBuffer::Start(DWORD flags) {
    const HRESULT fault = EnterCall(Call::CaptureStart);
    if (fault != S_OK) return fault;
    CatchUp();
    looping_ = (flags & DSCBSTART_LOOPING) != 0;
    if (running_) return DS_OK;
    if (full_) {
        // A full buffer started again records from its beginning.
        full_ = false;
        captured_ = written_ = 0;
    }
    running_ = true;
    capturedAtStart_ = captured_;
    startedAtMs_ = ClockNow();
    return DS_OK;
}

HRESULT SimCaptureBuffer::Stop() {
    const HRESULT fault = EnterCall(Call::CaptureStop);
    if (fault != S_OK) return fault;
    CatchUp();
    running_ = false;
    return DS_OK;
}

HRESULT SimCaptureBuffer::Unlock(LPVOID first, DWORD, LPVOID second, DWORD) {
    const HRESULT fault = EnterCall(Call::CaptureUnlock);
    if (fault != S_OK) return fault;
    return memory_.Unlock(first, second);
}

}  // namespace

HRESULT CreateSimCaptureBuffer(uint64_t makerId, const WAVEFORMATEX& format, DWORD bytes,
                               LPDIRECTSOUNDCAPTUREBUFFER* buffer) {
    auto* made = new (std::nothrow) SimCaptureBuffer(makerId, format);
    if (!made) return DSERR_OUTOFMEMORY;
    if (!made->Allocate(bytes)) {
        made->Release();
        return DSERR_OUTOFMEMORY;
    }
    *buffer = made;
    return DS_OK;
}

}  // namespace marlowsim::detail
