// IMoaCalloc: zero-filled blocks, null on failure, with failures to order
// and a count of live blocks.
#pragma once
#include <set>

#include "counted_service.h"
#include "moa/imoa_calloc.h"

namespace marlowhost {

class HostAllocator : public CountedService<IMoaCalloc> {
public:
    HostAllocator() : CountedService(IID_IMoaCalloc) {}
    ~HostAllocator() override;

    void* MOA_STDCALL NRAlloc(MoaUlong bytes) override;
    void MOA_STDCALL NRFree(void* block) override;

    // The next count allocations answer null.
    void FailNext(int count);
    // Every allocation answers null until switched off.
    void FailAlways(bool on);
    void ClearFailures();

    int LiveBlocks() const { return static_cast<int>(live_.size()); }
    int Allocations() const { return allocations_; }
    int RefusedAllocations() const { return refused_; }
    // Frees of blocks this allocator did not hand out (or freed twice).
    int BadFrees() const { return badFrees_; }

private:
    std::set<void*> live_;
    int failNext_ = 0;
    bool failAlways_ = false;
    int allocations_ = 0;
    int refused_ = 0;
    int badFrees_ = 0;
};

}  // namespace marlowhost
