// The three functions of dsound.dll that the Xtra calls, over the
// simulated machine's devices.
#include <cstring>

#include "platform/simulator/factories.h"
#include "platform/simulator/machine.h"
#include "platform/utf8_text.h"

namespace {

using marlowsim::Call;
using marlowsim::detail::EnterCall;
using marlowsim::detail::TheMachine;

bool IsZeroGuid(const GUID& guid) {
    static const GUID zero{};
    return std::memcmp(&guid, &zero, sizeof(GUID)) == 0;
}

}  // namespace

extern "C" {

// Descriptions and modules are held in UTF-8; one that is not stays empty.
HRESULT WINAPI DirectSoundCaptureEnumerateW(LPDSENUMCALLBACKW pDSEnumCallback, LPVOID pContext) {
    const HRESULT fault = EnterCall(Call::CaptureEnumerate);
    if (fault != S_OK) return fault;
    if (!pDSEnumCallback) return DSERR_INVALIDPARAM;
    // A copy: the callback may change the machine (or open a device).
    const std::vector<marlowsim::DeviceSpec> devices = TheMachine().devices;
    for (const marlowsim::DeviceSpec& device : devices) {
        GUID guid = device.guid;
        std::u16string description;
        std::u16string module;
        marlowcp::WideOfUtf8(device.description, &description);
        marlowcp::WideOfUtf8(device.module, &module);
        if (!pDSEnumCallback(device.hasGuid ? &guid : nullptr, description.c_str(), module.c_str(), pContext))
            break;
    }
    return DS_OK;
}

HRESULT WINAPI DirectSoundCreate(LPCGUID pcGuidDevice, LPDIRECTSOUND* ppDS, LPUNKNOWN pUnkOuter) {
    const HRESULT fault = EnterCall(Call::DirectSoundCreate);
    if (fault != S_OK) return fault;
    if (!ppDS) return DSERR_INVALIDPARAM;
    *ppDS = nullptr;
    if (pUnkOuter) return DSERR_NOAGGREGATION;
    // The simulated machine has one playback device, the default.
    if (pcGuidDevice && !IsZeroGuid(*pcGuidDevice)) return DSERR_NODRIVER;
    return marlowsim::detail::CreateSimDirectSound(ppDS);
}

// Null or the zero GUID opens the first device; any other GUID must match.
HRESULT WINAPI DirectSoundCaptureCreate(LPCGUID pcGuidDevice, LPDIRECTSOUNDCAPTURE* ppDSC,
                                        LPUNKNOWN pUnkOuter) {
    marlowsim::detail::Machine& machine = TheMachine();
    machine.hasLastCaptureCreateGuid = pcGuidDevice != nullptr;
    if (pcGuidDevice) machine.lastCaptureCreateGuid = *pcGuidDevice;
    const HRESULT fault = EnterCall(Call::DirectSoundCaptureCreate);
    if (fault != S_OK) return fault;
    if (!ppDSC) return DSERR_INVALIDPARAM;
    *ppDSC = nullptr;
    if (pUnkOuter) return DSERR_NOAGGREGATION;
    if (machine.devices.empty()) return DSERR_NODRIVER;
    if (pcGuidDevice && !IsZeroGuid(*pcGuidDevice)) {
        bool found = false;
        for (const marlowsim::DeviceSpec& device : machine.devices)
            found = found || (device.hasGuid &&
                              std::memcmp(&device.guid, pcGuidDevice, sizeof(GUID)) == 0);
        if (!found) return DSERR_NODRIVER;
    }
    return marlowsim::detail::CreateSimCapture(ppDSC);
}
}
