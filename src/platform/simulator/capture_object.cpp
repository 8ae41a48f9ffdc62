// The capture object of one simulated capture device.
#include <memory>

#include "platform/simulator/factories.h"
#include "platform/simulator/sim_com_object.h"
#include "platform/simulator/wave_format.h"

namespace marlowsim::detail {
namespace {

class SimCapture final : public SimMaker<SimCapture, IDirectSoundCapture, IID_IDirectSoundCapture> {
public:
    explicit SimCapture(const DeviceLink& device) : SimMaker(device) {}

    // ---- IDirectSoundCapture
    HRESULT CreateCaptureBuffer(LPCDSCBUFFERDESC description, LPDIRECTSOUNDCAPTUREBUFFER* buffer,
                                LPUNKNOWN outer) override;
    HRESULT GetCaps(LPDSCCAPS) override { return E_NOTIMPL; }
    HRESULT Initialize(LPCGUID) override { return E_NOTIMPL; }

private:
    const std::shared_ptr<CaptureWritePosition> writePosition_ =
        std::make_shared<CaptureWritePosition>();
};

// Both forms of the description are taken: with the effect fields and, as
// DirectSound before 8 knew it, without them.
HRESULT SimCapture::CreateCaptureBuffer(LPCDSCBUFFERDESC description,
                                        LPDIRECTSOUNDCAPTUREBUFFER* buffer, LPUNKNOWN outer) {
    const HRESULT fault = EnterCall(Call::CreateCaptureBuffer);
    if (fault != S_OK) return fault;
    if (!description || !buffer) return DSERR_INVALIDPARAM;
    if (outer) return DSERR_NOAGGREGATION;
    if (!device_.CanMakeBuffers()) return kDeviceNotAvailable;
    const bool longForm = description->dwSize == sizeof(DSCBUFFERDESC);
    if (!longForm && description->dwSize != sizeof(DSCBUFFERDESC1)) return DSERR_INVALIDPARAM;
    Machine& machine = TheMachine();
    if (longForm && machine.refuseLongCaptureDescription) return machine.longCaptureDescriptionResult;
    if (longForm && description->dwFXCount != 0) return DSERR_INVALIDPARAM;

    HRESULT result = CheckBufferBytes(description->dwBufferBytes, 1);
    if (result == DS_OK) result = CheckPcmFormat(description->lpwfxFormat);
    if (result == DS_OK)
        result = CreateSimCaptureBuffer(id_, device_, *description->lpwfxFormat, description->dwBufferBytes,
                                        writePosition_, buffer);
    if (result != DS_OK) return result;

    machine.hasLastCaptureBuffer = true;
    machine.lastCaptureBuffer = {description->dwSize, description->dwBufferBytes,
                                 *description->lpwfxFormat};
    return DS_OK;
}

}  // namespace

HRESULT CreateSimCapture(int deviceIndex, LPDIRECTSOUNDCAPTURE* object) {
    return SimCapture::Create(object, DeviceLink::Capture(deviceIndex));
}

}  // namespace marlowsim::detail
