// Global memory as Windows gives it: a movable block's handle is not its
// address; GlobalLock hands out the address and counts the locks.
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "platform/simulator/machine.h"

namespace {

struct FreeBytes {
    void operator()(uint8_t* bytes) const { std::free(bytes); }
};

struct GlobalBlock {
    std::unique_ptr<uint8_t, FreeBytes> bytes;
    SIZE_T size = 0;
    bool movable = false;
    UINT locks = 0;
    uint32_t generation = 0;
};

// Keyed by handle. A fixed block's handle is its address, as on Windows.
std::map<HGLOBAL, std::unique_ptr<GlobalBlock>>& Blocks() {
    static std::map<HGLOBAL, std::unique_ptr<GlobalBlock>> blocks;
    return blocks;
}

GlobalBlock* Find(HGLOBAL handle) {
    auto found = Blocks().find(handle);
    return found == Blocks().end() ? nullptr : found->second.get();
}

// Memory that was not asked to be zeroed is not: code that forgets
// GMEM_ZEROINIT sees this pattern instead of lucky zeros.
constexpr uint8_t kUninitialisedByte = 0xCD;

}  // namespace

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    if (FAILED(marlowsim::detail::EnterCall(marlowsim::Call::GlobalAlloc))) return nullptr;
    auto block = std::make_unique<GlobalBlock>();
    const SIZE_T allocated = dwBytes == 0 ? 1 : dwBytes;
    // calloc hands out fresh pages already zero, as Windows does: no second pass.
    const bool zeroed = (uFlags & GMEM_ZEROINIT) != 0;
    block->bytes.reset(static_cast<uint8_t*>(zeroed ? std::calloc(allocated, 1) : std::malloc(allocated)));
    if (!block->bytes) return nullptr;
    if (!zeroed) std::memset(block->bytes.get(), kUninitialisedByte, dwBytes);
    block->size = dwBytes;
    block->movable = (uFlags & GMEM_MOVEABLE) != 0;
    block->generation = marlowsim::detail::TheMachine().generation;
    // A movable block's handle is the record, not the memory.
    HGLOBAL handle = block->movable ? static_cast<HGLOBAL>(block.get())
                                    : static_cast<HGLOBAL>(block->bytes.get());
    Blocks()[handle] = std::move(block);
    ++marlowsim::detail::TheMachine().liveGlobalBlocks;
    return handle;
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
    GlobalBlock* block = Find(hMem);
    if (!block) return nullptr;
    if (block->movable) ++block->locks;
    return block->bytes.get();
}

// Answers TRUE while the block stays locked, FALSE once it is not.
BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
    GlobalBlock* block = Find(hMem);
    if (!block || block->locks == 0) return FALSE;
    return --block->locks > 0 ? TRUE : FALSE;
}

// Answers null when freed, the handle when it is not a block.
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    auto found = Blocks().find(hMem);
    if (found == Blocks().end()) return hMem;
    if (found->second->generation == marlowsim::detail::TheMachine().generation)
        --marlowsim::detail::TheMachine().liveGlobalBlocks;
    Blocks().erase(found);
    return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
    GlobalBlock* block = Find(hMem);
    return block ? block->size : 0;
}
}
