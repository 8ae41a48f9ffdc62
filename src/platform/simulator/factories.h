// How the simulated DirectSound objects come into being; each is defined
// in its own file beside its methods.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/dsound_layer.h"
#include "platform/simulator/capture_fill.h"
#include "platform/simulator/device_link.h"

namespace marlowsim::detail {

HRESULT CreateSimDirectSound(LPDIRECTSOUND* object);
// For the capture device at this place in the machine's list.
HRESULT CreateSimCapture(int deviceIndex, LPDIRECTSOUNDCAPTURE* object);
// The format must already have passed CheckPcmFormat, the size CheckBufferBytes.
// A buffer belongs to its maker's device; a capture buffer writes from, and
// moves, its capture object's write position.
HRESULT CreateSimCaptureBuffer(uint64_t makerId, const DeviceLink& device,
                               const WAVEFORMATEX& format, DWORD bytes,
                               std::shared_ptr<CaptureWritePosition> writePosition,
                               LPDIRECTSOUNDCAPTUREBUFFER* buffer);
HRESULT CreateSimSoundBuffer(uint64_t makerId, const DeviceLink& device,
                             const WAVEFORMATEX& format, DWORD bytes,
                             LPDIRECTSOUNDBUFFER* buffer);

}  // namespace marlowsim::detail
