// Windows: bytes follow the clock at the format's byte rate, lazily; a
// buffer started once stops when full and then reads 0.
#include <algorithm>

#include "platform/simulator/capture_fill.h"
#include "platform/simulator/machine.h"
#include "platform/simulator/wave_format.h"

namespace marlowsim::detail {
namespace {

class WindowsCaptureFill final : public CaptureFill {
public:
    WindowsCaptureFill(const WAVEFORMATEX& format, BufferMemory& memory, const DeviceLink& device)
        : format_(format), memory_(memory), device_(device) {}

    void CatchUp() override;
    void Start(bool looping) override;
    DWORD Position() const override {
        return full_ ? 0 : static_cast<DWORD>(captured_ % memory_.Size());
    }

private:
    uint64_t Capacity() const { return memory_.Size() - memory_.Size() % format_.nBlockAlign; }

    const WAVEFORMATEX format_;
    BufferMemory& memory_;
    const DeviceLink& device_;
    bool full_ = false;      // started once and stopped by itself at the end
    uint64_t captured_ = 0;  // absolute bytes captured since the buffer was made
    uint64_t written_ = 0;   // of which already in memory
    uint64_t capturedAtStart_ = 0;
    uint64_t startedAtMs_ = 0;
};

// A looping buffer that went round more than once keeps the last lap.
void WindowsCaptureFill::CatchUp() {
    if (running_) {
        uint64_t target = capturedAtStart_ + BytesInSpan(device_.Now() - startedAtMs_, format_);
        if (!looping_ && target >= Capacity()) {
            target = Capacity();
            running_ = false;
            full_ = true;
        }
        captured_ = target;
    }
    const uint64_t size = memory_.Size();
    uint64_t from = std::max(written_, captured_ > size ? captured_ - size : 0);
    for (; from < captured_; ++from) memory_.Bytes()[from % size] = InputByte(format_, from);
    written_ = captured_;
}

void WindowsCaptureFill::Start(bool looping) {
    looping_ = looping;
    if (running_) return;
    if (full_) {
        // A full buffer started again records from its beginning.
        full_ = false;
        captured_ = written_ = 0;
    }
    running_ = true;
    capturedAtStart_ = captured_;
    startedAtMs_ = device_.Now();
}

}  // namespace

std::unique_ptr<CaptureFill> MakeWindowsCaptureFill(const WAVEFORMATEX& format,
                                                    BufferMemory& memory, const DeviceLink& device) {
    return std::make_unique<WindowsCaptureFill>(format, memory, device);
}

}  // namespace marlowsim::detail
