// How the bytes of a simulated capture buffer arrive: the rules of one
// capture behaviour, behind the buffer's COM methods, which catch up before
// they ask anything.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/dsound_layer.h"
#include "platform/simulator/buffer_memory.h"
#include "platform/simulator/device_link.h"

namespace marlowsim::detail {

// Wine writes every buffer of a capture object from one position that the
// object keeps; a buffer may outlive its object, so they share it.
struct CaptureWritePosition {
    uint32_t bytes = 0;
};

class CaptureFill {
public:
    CaptureFill() = default;
    CaptureFill(const CaptureFill&) = delete;
    CaptureFill& operator=(const CaptureFill&) = delete;
    virtual ~CaptureFill() = default;

    // Brings the memory up to the simulator clock.
    virtual void CatchUp() = 0;
    virtual void Start(bool looping) = 0;
    void Stop() { running_ = false; }
    // What GetCurrentPosition reports for both positions.
    virtual DWORD Position() const = 0;
    DWORD Status() const {
        return running_ ? DSCBSTATUS_CAPTURING | (looping_ ? DSCBSTATUS_LOOPING : 0) : 0;
    }

protected:
    bool running_ = false;
    bool looping_ = false;
};

// The memory and the device link must outlive the fill, which may still
// catch up as it goes; the fill follows the clock of the link.
std::unique_ptr<CaptureFill> MakeWindowsCaptureFill(const WAVEFORMATEX& format,
                                                    BufferMemory& memory, const DeviceLink& device);
std::unique_ptr<CaptureFill> MakeWineCaptureFill(
    const WAVEFORMATEX& format, BufferMemory& memory, const DeviceLink& device,
    std::shared_ptr<CaptureWritePosition> writePosition);

}  // namespace marlowsim::detail
