#include "module/interface_object.h"

namespace module {

void* AllocateInterfaceMemory(IMoaCalloc* allocator, MoaUlong bytes) {
    void* memory = allocator->NRAlloc(bytes);
    while (memory == nullptr) {
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) {
            return nullptr;
        }
        // A handler that cannot make room throws; that must not reach the host.
        try {
            handler();
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        memory = allocator->NRAlloc(bytes);
    }
    return memory;
}

}  // namespace module
