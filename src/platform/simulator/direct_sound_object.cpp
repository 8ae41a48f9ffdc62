// The playback object of the default playback device.
#include "platform/simulator/factories.h"
#include "platform/simulator/sim_com_object.h"
#include "platform/simulator/wave_format.h"

namespace marlowsim::detail {
namespace {

class SimDirectSound final : public SimMaker<SimDirectSound, IDirectSound, IID_IDirectSound> {
public:
    SimDirectSound() : SimMaker(DeviceLink::Playback()) {}

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
    if (!device_.CanMakeBuffers()) return kDeviceNotAvailable;
    // The simulator has secondary buffers only.
    if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) return DSERR_INVALIDPARAM;
    HRESULT result = CheckBufferBytes(description->dwBufferBytes, DSBSIZE_MIN);
    if (result == DS_OK) result = CheckPcmFormat(description->lpwfxFormat);
    if (result != DS_OK) return result;
    return CreateSimSoundBuffer(id_, device_, *description->lpwfxFormat, description->dwBufferBytes, buffer);
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

HRESULT CreateSimDirectSound(LPDIRECTSOUND* object) { return SimDirectSound::Create(object); }

}  // namespace marlowsim::detail
