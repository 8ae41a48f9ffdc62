// The sample memory of a simulated buffer with DirectSound's lock rules:
// a range that crosses the end comes back as two regions, and every lock is
// counted until it is unlocked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/dsound_layer.h"

namespace marlowsim::detail {

class BufferMemory {
public:
    BufferMemory() = default;
    BufferMemory(const BufferMemory&) = delete;
    BufferMemory& operator=(const BufferMemory&) = delete;
    ~BufferMemory();

    // False when the memory cannot be had. A capture buffer starts as
    // silence; a sound buffer's bytes are whatever the memory held, as
    // DirectSound promises nothing about them, and its maker fills it.
    bool AllocateSilence(uint32_t size, uint8_t silence);
    bool AllocateUnfilled(uint32_t size);

    uint8_t* Bytes() { return bytes_; }
    uint32_t Size() const { return size_; }

    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                 LPDWORD secondBytes);
    HRESULT Unlock(LPVOID first, LPVOID second);

private:
    // A buffer of 0 bytes still gets a block of its own.
    static size_t StorageBytes(uint32_t size) { return size == 0 ? 1 : size; }
    // Takes over memory from malloc or calloc; false for none.
    bool Adopt(void* bytes, uint32_t size);

    uint8_t* bytes_ = nullptr;
    uint32_t size_ = 0;
    uint32_t generation_ = 0;
    std::vector<LPVOID> lockedRegions_;
};

}  // namespace marlowsim::detail
