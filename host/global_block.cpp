#include "global_block.h"

#include <cstring>

#include "platform/windows_api.h"

namespace marlowhost {

bool CopyGlobalBlock(void* block, std::vector<uint8_t>* bytes) {
    HGLOBAL handle = static_cast<HGLOBAL>(block);
    const void* locked = GlobalLock(handle);
    if (locked == nullptr) {
        return false;
    }
    const uint8_t* begin = static_cast<const uint8_t*>(locked);
    bytes->assign(begin, begin + GlobalSize(handle));
    GlobalUnlock(handle);
    return true;
}

void* NewGlobalBlock(const std::vector<uint8_t>& bytes) {
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* locked = handle == nullptr ? nullptr : GlobalLock(handle);
    if (locked == nullptr) {
        if (handle != nullptr) {
            GlobalFree(handle);
        }
        return nullptr;
    }
    std::memcpy(locked, bytes.data(), bytes.size());
    GlobalUnlock(handle);
    return handle;
}

}  // namespace marlowhost
