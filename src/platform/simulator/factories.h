// How the simulated DirectSound objects come into being; each is defined
// in its own file beside its methods.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/dsound_layer.h"
#include "platform/simulator/capture_fill.h"

namespace marlowsim::detail {

HRESULT CreateSimDirectSound(LPDIRECTSOUND* object);
HRESULT CreateSimCapture(LPDIRECTSOUNDCAPTURE* object);
// The format must already have passed CheckPcmFormat, the size CheckBufferBytes.
// The buffer writes from, and moves, its capture object's write position.
HRESULT CreateSimCaptureBuffer(uint64_t makerId, const WAVEFORMATEX& format, DWORD bytes,
                               std::shared_ptr<CaptureWritePosition> writePosition,
                               LPDIRECTSOUNDCAPTUREBUFFER* buffer);
HRESULT CreateSimSoundBuffer(uint64_t makerId, const WAVEFORMATEX& format, DWORD bytes,
                             LPDIRECTSOUNDBUFFER* buffer);

}  // namespace marlowsim::detail
