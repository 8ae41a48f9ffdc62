// Which device a simulated object was made for, and what its losses since
// then mean for it: a buffer whose device went away keeps answering as the
// loss left it, even once the device is back.
#pragma once

#include <cstdint>

#include "platform/dsound_layer.h"
#include "platform/simulator/machine.h"

namespace marlowsim::detail {

// Wine's answer when a buffer is asked of a capture object whose device went.
constexpr HRESULT kDeviceNotAvailable = static_cast<HRESULT>(0x8889000Fu);

class DeviceLink {
public:
    // The capture device at this place in the machine's list.
    static DeviceLink Capture(int index);
    static DeviceLink Playback();

    // Its device is there, has not gone away since the object was made, and
    // is not a capture device that came back too short a while ago.
    bool CanMakeBuffers() const;
    // DSERR_NODRIVER for a buffer whose device was removed since it was
    // made, S_OK otherwise (a stalled device answers everything).
    HRESULT CallResult() const;
    // The clock as the object's buffers see it: it stops where the device
    // went away, or where the object was made when it never delivers.
    uint64_t Now() const;

private:
    DeviceLink(bool capture, int index);
    const DeviceHistory& History() const;
    // The first loss after the object was made, or null.
    const DeviceLoss* LossSinceMade() const;

    bool capture_;
    int index_;
    size_t lossesWhenMade_;
    uint64_t madeAtMs_;
    bool neverDelivers_ = false;
};

}  // namespace marlowsim::detail
