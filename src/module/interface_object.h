// What the class's interface objects share: the layout {operations, owner,
// count}, the three standard operations, and how one is made. Each holds one
// reference on its owner instance while it exists and one more for every
// reference held on it.
#pragma once

#include <cstdint>
#include <new>
#include <type_traits>

#include "module/class_registry.h"
#include "script/script_instance.h"

namespace module {

// A block from the owner's allocator, asking the new-handler to make room
// while the allocator answers null; null when there is none or it gives up.
void* AllocateInterfaceMemory(IMoaCalloc* allocator, MoaUlong bytes);

template <typename Interface>
class InterfaceObject : public Interface {
public:
    explicit InterfaceObject(InstanceObject* owner) : owner_(owner) {}

    // Every interface answers exactly as the instance itself does.
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override {
        return owner_->header.AsUnknown()->QueryInterface(iid, out);
    }

    MoaUlong MOA_STDCALL AddRef() override {
        owner_->header.AsUnknown()->AddRef();
        return static_cast<MoaUlong>(++count_);
    }

    MoaUlong MOA_STDCALL Release() override {
        IMoaUnknown* owner = owner_->header.AsUnknown();
        const int32_t remaining = --count_;
        if (remaining == 0) {
            IMoaCalloc* allocator = owner_->header.pCalloc;
            allocator->NRFree(this);
            --moduleLockCount;
            owner->Release();
        }
        owner->Release();
        return static_cast<MoaUlong>(remaining);
    }

protected:
    InstanceObject* Owner() const { return owner_; }

private:
    InstanceObject* owner_;
    int32_t count_ = 1;
};

// What the host may rely on: the operation table, the owner, the count.
struct InterfaceObjectLayout {
    void* operations;
    InstanceObject* owner;
    int32_t count;
};

template <typename Object>
MoaError MakeInterfaceObject(InstanceObject* owner, void** out) {
    static_assert(sizeof(Object) == sizeof(InterfaceObjectLayout), "no fields beyond owner and count");
    // Release hands the memory back without running a destructor.
    static_assert(std::is_trivially_destructible_v<Object>, "interface objects own nothing");
    void* memory = AllocateInterfaceMemory(owner->header.pCalloc, sizeof(Object));
    if (memory == nullptr) {
        *out = nullptr;
        return kMoaErr_OutOfMem;
    }
    Object* object = new (memory) Object(owner);
    IMoaUnknown* ownerUnknown = owner->header.AsUnknown();
    ownerUnknown->AddRef();
    ownerUnknown->AddRef();
    ++moduleLockCount;
    *out = static_cast<IMoaUnknown*>(object);
    return kMoaErr_NoErr;
}

}  // namespace module
