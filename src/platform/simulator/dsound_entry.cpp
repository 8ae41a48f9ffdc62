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

marlowsim::DeviceState DeviceState(int index) {
    return TheMachine().captureDeviceHistory[index].state;
}

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
    for (size_t index = 0; index < devices.size(); ++index) {
        // An unplugged device is not listed.
        if (DeviceState(static_cast<int>(index)) == marlowsim::DeviceState::Removed) continue;
        const marlowsim::DeviceSpec& device = devices[index];
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
    if (TheMachine().playbackDeviceHistory.state != marlowsim::DeviceState::Present)
        return DSERR_NODRIVER;
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
    int index = 0;
    if (pcGuidDevice && !IsZeroGuid(*pcGuidDevice)) {
        index = -1;
        for (size_t k = 0; k < machine.devices.size() && index < 0; ++k) {
            const marlowsim::DeviceSpec& device = machine.devices[k];
            if (device.hasGuid && std::memcmp(&device.guid, pcGuidDevice, sizeof(GUID)) == 0)
                index = static_cast<int>(k);
        }
        if (index < 0) return DSERR_NODRIVER;
    }
    if (DeviceState(index) != marlowsim::DeviceState::Present) return DSERR_NODRIVER;
    return marlowsim::detail::CreateSimCapture(index, ppDSC);
}
}
