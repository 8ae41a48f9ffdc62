// A capture buffer whose bytes arrive by the capture behaviour it was made
// with, lazily, whenever it is asked about.
#include <memory>
#include <utility>

#include "platform/simulator/buffer_memory.h"
#include "platform/simulator/capture_fill.h"
#include "platform/simulator/factories.h"
#include "platform/simulator/sim_com_object.h"
#include "platform/simulator/wave_format.h"

namespace marlowsim::detail {
namespace {

class SimCaptureBuffer final
    : public SimBuffer<SimCaptureBuffer, IDirectSoundCaptureBuffer, IID_IDirectSoundCaptureBuffer> {
public:
    SimCaptureBuffer(uint64_t makerId, const DeviceLink& device, const WAVEFORMATEX& format,
                     std::shared_ptr<CaptureWritePosition> writePosition)
        : SimBuffer(makerId, device),
          format_(format),
          fill_(TheMachine().captureBehaviour == CaptureBehaviour::Wine
                    ? MakeWineCaptureFill(format_, memory_, device_, std::move(writePosition))
                    : MakeWindowsCaptureFill(format_, memory_, device_)) {}

    bool Allocate(DWORD bytes) { return memory_.AllocateSilence(bytes, SilenceByte(format_)); }

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
    const WAVEFORMATEX format_;
    BufferMemory memory_;
    const std::unique_ptr<CaptureFill> fill_;  // after memory_: it may write there as it goes
};

HRESULT SimCaptureBuffer::GetCurrentPosition(LPDWORD capturePosition, LPDWORD readPosition) {
    const HRESULT fault = EnterCall(Call::CaptureGetCurrentPosition);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    if (!capturePosition && !readPosition) return DSERR_INVALIDPARAM;
    fill_->CatchUp();
    if (capturePosition) *capturePosition = fill_->Position();
    if (readPosition) *readPosition = fill_->Position();
    return DS_OK;
}

HRESULT SimCaptureBuffer::GetStatus(LPDWORD status) {
    const HRESULT fault = EnterCall(Call::CaptureGetStatus);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    if (!status) return DSERR_INVALIDPARAM;
    fill_->CatchUp();
    *status = fill_->Status();
    return DS_OK;
}

HRESULT SimCaptureBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes,
                               LPVOID* second, LPDWORD secondBytes, DWORD) {
    const HRESULT fault = EnterCall(Call::CaptureLock);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    fill_->CatchUp();
    return memory_.Lock(offset, bytes, first, firstBytes, second, secondBytes);
}

HRESULT SimCaptureBuffer::Start(DWORD flags) {
    const HRESULT fault = EnterCall(Call::CaptureStart);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    fill_->CatchUp();
    fill_->Start((flags & DSCBSTART_LOOPING) != 0);
    return DS_OK;
}

HRESULT SimCaptureBuffer::Stop() {
    const HRESULT fault = EnterCall(Call::CaptureStop);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    fill_->CatchUp();
    fill_->Stop();
    return DS_OK;
}

HRESULT SimCaptureBuffer::Unlock(LPVOID first, DWORD, LPVOID second, DWORD) {
    const HRESULT fault = EnterCall(Call::CaptureUnlock);
    if (fault != S_OK) return fault;
    if (device_.CallResult() != S_OK) return device_.CallResult();
    return memory_.Unlock(first, second);
}

}  // namespace

HRESULT CreateSimCaptureBuffer(uint64_t makerId, const DeviceLink& device,
                               const WAVEFORMATEX& format, DWORD bytes,
                               std::shared_ptr<CaptureWritePosition> writePosition,
                               LPDIRECTSOUNDCAPTUREBUFFER* buffer) {
    return SimCaptureBuffer::Create(bytes, buffer, makerId, device, format,
                                    std::move(writePosition));
}

}  // namespace marlowsim::detail
