#include "platform/simulator/buffer_memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/simulator/machine.h"

namespace marlowsim::detail {

BufferMemory::~BufferMemory() { std::free(bytes_); }

bool BufferMemory::AllocateSilence(uint32_t size, uint8_t silence) {
    if (silence == 0) return Adopt(std::calloc(StorageBytes(size), 1), size);
    if (!Adopt(std::malloc(StorageBytes(size)), size)) return false;
    std::memset(bytes_, silence, size);
    return true;
}

bool BufferMemory::AllocateUnfilled(uint32_t size) { return Adopt(std::malloc(StorageBytes(size)), size); }

bool BufferMemory::Adopt(void* bytes, uint32_t size) {
    bytes_ = static_cast<uint8_t*>(bytes);
    if (!bytes_) return false;
    size_ = size;
    generation_ = TheMachine().generation;
    return true;
}

HRESULT BufferMemory::Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes,
                           LPVOID* second, LPDWORD secondBytes) {
    if (!first || !firstBytes || bytes == 0 || bytes > size_ || offset >= size_)
        return DSERR_INVALIDPARAM;
    const DWORD toEnd = size_ - offset;
    *first = bytes_ + offset;
    *firstBytes = std::min(bytes, toEnd);
    // Without a second pointer the lock is of the first region only.
    const bool wraps = bytes > toEnd && second && secondBytes;
    if (second) *second = wraps ? bytes_ : nullptr;
    if (secondBytes) *secondBytes = wraps ? bytes - toEnd : 0;
    lockedRegions_.push_back(*first);
    if (generation_ == TheMachine().generation) ++TheMachine().outstandingLocks;
    return DS_OK;
}

HRESULT BufferMemory::Unlock(LPVOID first, LPVOID second) {
    auto locked = std::find(lockedRegions_.begin(), lockedRegions_.end(), first);
    if (locked == lockedRegions_.end()) return DSERR_INVALIDPARAM;
    if (second && second != bytes_) return DSERR_INVALIDPARAM;
    lockedRegions_.erase(locked);
    if (generation_ == TheMachine().generation) --TheMachine().outstandingLocks;
    return DS_OK;
}

}  // namespace marlowsim::detail
