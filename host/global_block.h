// Windows global memory blocks as media data travels in them. Kept apart
// so that no service header meets windows.h (whose GetProp/SetProp macros
// would rename the interface methods).
#pragma once
#include <cstdint>
#include <vector>

namespace marlowhost {

// Copies the bytes of a global block (locked and unlocked again); false when it cannot be locked.
bool CopyGlobalBlock(void* block, std::vector<uint8_t>* bytes);
// A new movable block holding bytes, owned by the caller; null on failure.
void* NewGlobalBlock(const std::vector<uint8_t>& bytes);

}  // namespace marlowhost
