// Reads a fuzzer's input as a stream of small decisions; past the end every
// read answers 0, so any input is a complete script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace fuzzing {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return position_ >= size_; }

    uint8_t Byte() { return AtEnd() ? 0 : data_[position_++]; }

    uint16_t Word() {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | (Byte() << 8));
    }

    uint32_t Dword() {
        const uint32_t low = Word();
        return low | (static_cast<uint32_t>(Word()) << 16);
    }

    double RawDouble() {
        uint64_t bits = Dword();
        bits |= static_cast<uint64_t>(Dword()) << 32;
        double number = 0;
        std::memcpy(&number, &bits, sizeof number);
        return number;
    }

    // A value from lowest to highest, both included.
    int32_t InRange(int32_t lowest, int32_t highest) {
        const uint32_t span = static_cast<uint32_t>(highest - lowest) + 1u;
        return lowest + static_cast<int32_t>(Byte() % span);
    }

    // Up to count bytes as they come.
    std::string Bytes(size_t count) {
        const size_t available = AtEnd() ? 0 : size_ - position_;
        const size_t taken = count < available ? count : available;
        std::string text(reinterpret_cast<const char*>(data_ + position_), taken);
        position_ += taken;
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

}  // namespace fuzzing
