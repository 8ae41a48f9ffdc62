// A secondary buffer that plays at the format's byte rate on the simulator
// clock; played once it stops at its end.
#include "platform/simulator/buffer_memory.h"
#include "platform/simulator/factories.h"
#include "platform/simulator/sim_com_object.h"
#include "platform/simulator/wave_format.h"

namespace marlowsim::detail {
namespace {

class SimSoundBuffer final : public SimBuffer<SimSoundBuffer, IDirectSoundBuffer, IID_IDirectSoundBuffer> {
public:
    SimSoundBuffer(uint64_t makerId, const DeviceLink& device, const WAVEFORMATEX& format)
        : SimBuffer(makerId, device), format_(format) {}

    bool Allocate(DWORD bytes) { return memory_.AllocateUnfilled(bytes); }

    // ---- IDirectSoundBuffer
    HRESULT GetCaps(LPDSBCAPS) override { return E_NOTIMPL; }
    HRESULT GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) override;
    HRESULT GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT GetVolume(LPLONG) override { return E_NOTIMPL; }
    HRESULT GetPan(LPLONG) override { return E_NOTIMPL; }
    HRESULT GetFrequency(LPDWORD) override { return E_NOTIMPL; }
    HRESULT GetStatus(LPDWORD status) override;
    HRESULT Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return E_NOTIMPL; }
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                 LPDWORD secondBytes, DWORD flags) override;
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT SetCurrentPosition(DWORD position) override;
    HRESULT SetFormat(LPCWAVEFORMATEX) override { return E_NOTIMPL; }
    HRESULT SetVolume(LONG) override { return E_NOTIMPL; }
    HRESULT SetPan(LONG) override { return E_NOTIMPL; }
    HRESULT SetFrequency(DWORD) override { return E_NOTIMPL; }
    HRESULT Stop() override;
    HRESULT Unlock(LPVOID first, DWORD firstBytes, LPVOID second, DWORD secondBytes) override;
    HRESULT Restore() override { return E_NOTIMPL; }

private:
    void CatchUp();
    void StartFrom(uint64_t position);

    const WAVEFORMATEX format_;
    BufferMemory memory_;
    bool playing_ = false;
    bool looping_ = false;
    uint64_t position_ = 0;  // play cursor
    uint64_t positionAtStart_ = 0;
    uint64_t startedAtMs_ = 0;
};

void SimSoundBuffer::CatchUp() {
    if (!playing_) return;
    const uint64_t played = positionAtStart_ + BytesInSpan(device_.Now() - startedAtMs_, format_);
    if (looping_) {
        position_ = played % memory_.Size();
    } else if (played >= memory_.Size()) {
        playing_ = false;
        position_ = 0;
    } else {
        position_ = played;
    }
}

void SimSoundBuffer::StartFrom(uint64_t position) {
    position_ = positionAtStart_ = position;
    startedAtMs_ = device_.Now();
}

HRESULT SimSoundBuffer::GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) {
    if (device_.CallResult() != S_OK) return device_.CallResult();
    if (!playCursor && !writeCursor) return DSERR_INVALIDPARAM;
    CatchUp();
    if (playCursor) *playCursor = static_cast<DWORD>(position_);
    if (writeCursor) *writeCursor = static_cast<DWORD>(position_);
    return DS_OK;
}

HRESULT SimSoundBuffer::GetStatus(LPDWORD status) {
    const HRESULT fault = EnterCall(Call::PlayGetStatus);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    if (!status) return DSERR_INVALIDPARAM;
    CatchUp();
    *status = playing_ ? DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0) : 0;
    return DS_OK;
}

HRESULT SimSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes,
                             LPVOID* second, LPDWORD secondBytes, DWORD) {
    const HRESULT fault = EnterCall(Call::PlayLock);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    return memory_.Lock(offset, bytes, first, firstBytes, second, secondBytes);
}

HRESULT SimSoundBuffer::Play(DWORD reserved, DWORD priority, DWORD flags) {
    const HRESULT fault = EnterCall(Call::Play);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    if (reserved != 0 || priority != 0) return DSERR_INVALIDPARAM;
    CatchUp();
    looping_ = (flags & DSBPLAY_LOOPING) != 0;
    if (!playing_) StartFrom(position_);
    playing_ = true;
    return DS_OK;
}

HRESULT SimSoundBuffer::SetCurrentPosition(DWORD position) {
    const HRESULT fault = EnterCall(Call::PlaySetCurrentPosition);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    if (position >= memory_.Size()) return DSERR_INVALIDPARAM;
    StartFrom(position);
    return DS_OK;
}

HRESULT SimSoundBuffer::Stop() {
    const HRESULT fault = EnterCall(Call::PlayStop);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    CatchUp();
    playing_ = false;
    return DS_OK;
}

HRESULT SimSoundBuffer::Unlock(LPVOID first, DWORD, LPVOID second, DWORD) {
    const HRESULT fault = EnterCall(Call::PlayUnlock);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    return memory_.Unlock(first, second);
}

}  // namespace

HRESULT CreateSimSoundBuffer(uint64_t makerId, const DeviceLink& device,
                             const WAVEFORMATEX& format, DWORD bytes, LPDIRECTSOUNDBUFFER* buffer) {
    return SimSoundBuffer::Create(bytes, buffer, makerId, device, format);
}

}  // namespace marlowsim::detail
