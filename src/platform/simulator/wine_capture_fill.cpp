// Wine 8 on PulseAudio: the input arrives in 10 ms packets, copied at the
// write position that the capture object keeps, as Wine's capture callback
// copies them; the packets come lazily, whenever the buffer is asked.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/simulator/capture_fill.h"
#include "platform/simulator/machine.h"
#include "platform/simulator/wave_format.h"

namespace marlowsim::detail {
namespace {

constexpr uint64_t kPacketMs = 10;

// Whole frames, rounded as Wine asks PulseAudio for 10 ms.
uint64_t PacketBytes(const WAVEFORMATEX& format) {
    return (format.nSamplesPerSec + 50ull) / 100 * format.nBlockAlign;
}

class WineCaptureFill final : public CaptureFill {
public:
    WineCaptureFill(const WAVEFORMATEX& format, BufferMemory& memory, const DeviceLink& device,
                    std::shared_ptr<CaptureWritePosition> writePosition)
        : format_(format),
          memory_(memory),
          device_(device),
          writePosition_(std::move(writePosition)),
          packetBytes_(PacketBytes(format)) {}
    // Packets that came before the buffer went still moved the write position.
    ~WineCaptureFill() override { CatchUp(); }

    void CatchUp() override;
    void Start(bool looping) override;
    DWORD Position() const override { return writePosition_->bytes; }

private:
    uint64_t PacketsDue() const;
    // Of a packet larger than the buffer Wine keeps only the end.
    uint64_t KeptBytes() const { return std::min<uint64_t>(packetBytes_, memory_.Size()); }
    bool EveryPacketIsWrittenWhole() const;
    void SkipOverwrittenPackets(uint64_t due, uint64_t wakeUp);
    void DeliverPacket();
    void Write(uint64_t offset, uint64_t streamIndex, uint64_t bytes);

    const WAVEFORMATEX format_;
    BufferMemory& memory_;
    const DeviceLink& device_;
    const std::shared_ptr<CaptureWritePosition> writePosition_;
    const uint64_t packetBytes_;
    uint64_t streamBytes_ = 0;  // of the input, in all packets this buffer received
    uint64_t packetsDelivered_ = 0;  // since the last Start
    uint64_t packetsFromMs_ = 0;     // packet k of this Start comes 10 k ms after
};

uint64_t WineCaptureFill::PacketsDue() const {
    const uint64_t now = device_.Now();
    return now < packetsFromMs_ ? 0 : (now - packetsFromMs_) / kPacketMs;
}

// A looping buffer, or one started once whose packets meet its end exactly,
// takes every packet whole from here on and never stops.
bool WineCaptureFill::EveryPacketIsWrittenWhole() const {
    const uint64_t size = memory_.Size();
    const uint64_t at = writePosition_->bytes;
    if (at >= size) return false;
    const uint64_t packet = KeptBytes();
    return looping_ || (at % packet == 0 && size % packet == 0);
}

// Packets that the last lap overwrites only move the positions on, so a
// long wait costs one lap of work. Whole wake-ups are skipped.
void WineCaptureFill::SkipOverwrittenPackets(uint64_t due, uint64_t wakeUp) {
    const uint64_t size = memory_.Size();
    const uint64_t packet = KeptBytes();
    const uint64_t lastLap = size / packet + 1 + wakeUp;
    const uint64_t pending = due - packetsDelivered_;
    if (pending <= lastLap) return;
    const uint64_t skipped = (pending - lastLap) / wakeUp * wakeUp;
    writePosition_->bytes =
        static_cast<uint32_t>((writePosition_->bytes + skipped % size * packet) % size);
    streamBytes_ += skipped * packetBytes_;
    packetsDelivered_ += skipped;
}

void WineCaptureFill::DeliverPacket() {
    const uint64_t size = memory_.Size();
    const uint64_t packet = KeptBytes();
    const uint64_t from = streamBytes_ + (packetBytes_ - packet);
    streamBytes_ += packetBytes_;
    uint32_t& at = writePosition_->bytes;
    if (at >= size) {
        // Wine's room left underflows here and it copies the whole packet
        // past the end of the buffer's memory.
        ++TheMachine().captureWritesPastTheEnd;
        at = static_cast<uint32_t>((at + packet) % size);
        return;
    }
    const uint64_t fits = std::min(size - at, packet);
    Write(at, from, fits);
    const uint64_t rest = packet - fits;
    if (rest > 0 && looping_) Write(0, from + fits, rest);
    if (rest > 0 && !looping_) running_ = false;
    at = static_cast<uint32_t>((at + packet) % size);
}

void WineCaptureFill::Write(uint64_t offset, uint64_t streamIndex, uint64_t bytes) {
    uint8_t* target = memory_.Bytes() + offset;
    for (uint64_t i = 0; i < bytes; ++i) target[i] = InputByte(format_, streamIndex + i);
}

// Wine's capture thread takes the packets waiting each time it wakes, every
// one of them, even after one has stopped a buffer started once: those land
// at the buffer's start, over the take.
void WineCaptureFill::CatchUp() {
    // Below 50 Hz a packet holds no frames and changes nothing.
    if (!running_ || packetBytes_ == 0) return;
    const uint64_t wakeUp = std::max<uint32_t>(TheMachine().captureWakeUpPackets, 1);
    const uint64_t taken = PacketsDue() / wakeUp * wakeUp;
    while (running_ && packetsDelivered_ < taken) {
        if (EveryPacketIsWrittenWhole()) SkipOverwrittenPackets(taken, wakeUp);
        const uint64_t wakeUpEnd = (packetsDelivered_ / wakeUp + 1) * wakeUp;
        while (packetsDelivered_ < wakeUpEnd) {
            DeliverPacket();
            ++packetsDelivered_;
        }
    }
}

// Wine leaves a buffer that is capturing, and its flags, as they are.
void WineCaptureFill::Start(bool looping) {
    if (running_) return;
    std::memset(memory_.Bytes(), SilenceByte(format_), memory_.Size());
    running_ = true;
    looping_ = looping;
    packetsDelivered_ = 0;
    packetsFromMs_ = device_.Now() + TheMachine().captureLateStartMs;
}

}  // namespace

std::unique_ptr<CaptureFill> MakeWineCaptureFill(
    const WAVEFORMATEX& format, BufferMemory& memory, const DeviceLink& device,
    std::shared_ptr<CaptureWritePosition> writePosition) {
    return std::make_unique<WineCaptureFill>(format, memory, device, std::move(writePosition));
}

}  // namespace marlowsim::detail
