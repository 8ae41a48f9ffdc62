#include "host_allocator.h"

#include <cstdlib>

namespace marlowhost {

HostAllocator::~HostAllocator() {
    for (void* block : live_) {
        std::free(block);
    }
}

void* MOA_STDCALL HostAllocator::NRAlloc(MoaUlong bytes) {
    ++allocations_;
    if (failAlways_ || failNext_ > 0) {
        if (failNext_ > 0) {
            --failNext_;
        }
        ++refused_;
        return nullptr;
    }
    // A block of 0 bytes is still a distinct block to free.
    void* block = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (block == nullptr) {
        ++refused_;
        return nullptr;
    }
    live_.insert(block);
    return block;
}

void MOA_STDCALL HostAllocator::NRFree(void* block) {
    if (block == nullptr) {
        return;
    }
    if (live_.erase(block) == 0) {
        ++badFrees_;
        return;
    }
    std::free(block);
}

void HostAllocator::FailNext(int count) { failNext_ = count; }

void HostAllocator::FailAlways(bool on) { failAlways_ = on; }

void HostAllocator::ClearFailures() {
    failNext_ = 0;
    failAlways_ = false;
}

}  // namespace marlowhost
