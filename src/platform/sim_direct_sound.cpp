// The playback object of the default playback device.
#include <new>

#include "platform/sim_factories.h"
#include "platform/sim_object.h"
#include "platform/sim_wave_format.h"

namespace marlowsim::detail {
namespace {

class SimDirectSound final : public IDirectSound, private SimObject {
public:
    // ---- IUnknown
    HRESULT QueryInterface(REFIID riid, void** object) override {
        return QueryOwnInterface(riid, IID_IDirectSound, this, object);
    }
    ULONG AddRef() override { return AddReference(); }
    ULONG Release() override {
        ULONG left = 0;
        if (!DropReference(&left)) return left;
        NoteMakerGone();
        delete this;
        return 0;
    }

    // ---- IDirectSound
    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                              LPUNKNOWN outer) override;
    HRESULT GetCaps(LPDSCAPS) override { return E_NOTIMPL; }
    HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER, LPDIRECTSOUNDBUFFER*) override {
        return E_NOTIMPL;
    }
    HRESULT SetCooperativeLevel(HWND window, DWORD level) override;
    HRESULT Compact() override { return E_NOTIMPL; }
    HRESULT GetSpeakerConfig(LPDWORD) override { return E_NOTIMPL; }
    HRESULT SetSpeakerConfig(DWORD) override { return E_NOTIMPL; }
    HRESULT Initialize(LPCGUID) override { return E_NOTIMPL; }
};

HRESULT SimDirectSound::CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                                          LPUNKNOWN outer) {
    const HRESULT fault = EnterCall(Call::CreateSoundBuffer);
    if (fault != S_OK) return fault;
    if (!description || !buffer || description->dwSize != sizeof(DSBUFFERDESC))
        return DSERR_INVALIDPARAM;
    if (outer) return DSERR_NOAGGREGATION;
    // The simulator has secondary buffers only.
    if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) return DSERR_INVALIDPARAM;
    HRESULT result = CheckBufferBytes(description->dwBufferBytes, DSBSIZE_MIN);
    if (result == DS_OK) result = CheckPcmFormat(description->lpwfxFormat);
    if (result != DS_OK) return result;
    return CreateSimSoundBuffer(id_, *description->lpwfxFormat, description->dwBufferBytes, buffer);
}

HRESULT SimDirectSound::SetCooperativeLevel(HWND window, DWORD level) {
    const HRESULT fault = EnterCall(Call::SetCooperativeLevel);
    if (fault != S_OK) return fault;
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
    TheMachine().lastCooperativeWindow = window;
    TheMachine().lastCooperativeLevel = level;
    return DS_OK;
}

}  // namespace

HRESULT CreateSimDirectSound(LPDIRECTSOUND* object) {
    auto* made = new (std::nothrow) SimDirectSound;
    if (!made) return DSERR_OUTOFMEMORY;
    *object = made;
    return DS_OK;
}

}  // namespace marlowsim::detail
