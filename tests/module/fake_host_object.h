// A host allocator and an instance object header just real enough for the
// module's registry and interface objects, with everything they do to them
// on record.
#pragma once

#include <cstdlib>
#include <set>
#include <vector>

#include "moa/moa_object.h"
#include "script/script_instance.h"
#include "script/script_operations.h"

namespace module_test {

class FakeCalloc : public IMoaCalloc {
public:
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID*, void**) override { return kMoaErr_BadInterface; }
    MoaUlong MOA_STDCALL AddRef() override { return 1; }
    MoaUlong MOA_STDCALL Release() override { return 1; }

    void* MOA_STDCALL NRAlloc(MoaUlong bytes) override {
        requestedSizes.push_back(bytes);
        if (failuresToCome > 0) {
            --failuresToCome;
            return nullptr;
        }
        if (failAlways) {
            return nullptr;
        }
        void* block = std::calloc(1, bytes);
        live.insert(block);
        return block;
    }
    void MOA_STDCALL NRFree(void* block) override {
        if (live.erase(block) == 0) {
            ++foreignFrees;
            return;
        }
        std::free(block);
    }

    ~FakeCalloc() {
        for (void* block : live) {
            std::free(block);
        }
    }

    int failuresToCome = 0;
    bool failAlways = false;
    std::vector<MoaUlong> requestedSizes;
    std::set<void*> live;
    int foreignFrees = 0;  // frees of blocks this allocator never gave out
};

// Laid out as the host's object header: its own IMoaUnknown, then the fields.
struct FakeHeader : IMoaUnknown {
    void* magicCookie = nullptr;
    IMoaCallback* pCallback = nullptr;
    IMoaCalloc* pCalloc = nullptr;
    const MoaClassID* pClassID = nullptr;
    MoaLong refCount = 1;

    // What the instance's own query-interface answers, and what it was asked.
    MoaError queryAnswer = kMoaErr_BadInterface;
    void* queryResult = nullptr;
    const MoaInterfaceID* askedID = nullptr;
    void** askedOut = nullptr;

    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override {
        askedID = iid;
        askedOut = out;
        *out = queryResult;
        return queryAnswer;
    }
    MoaUlong MOA_STDCALL AddRef() override { return static_cast<MoaUlong>(++refCount); }
    MoaUlong MOA_STDCALL Release() override { return static_cast<MoaUlong>(--refCount); }
};
static_assert(sizeof(FakeHeader) >= sizeof(MoaObjectHeader), "the fake covers the header");

// An instance object of the size the class form reports; only its header is
// filled in, as the module touches nothing else.
class FakeInstance {
public:
    FakeInstance() : storage_(static_cast<std::size_t>(script::InstanceObjectSize()) + sizeof(FakeHeader)) {
        header_ = new (storage_.data()) FakeHeader;
        header_->pCalloc = &calloc;
    }
    FakeInstance(const FakeInstance&) = delete;
    FakeInstance& operator=(const FakeInstance&) = delete;

    InstanceObject* Object() { return reinterpret_cast<InstanceObject*>(storage_.data()); }
    FakeHeader& Header() { return *header_; }
    MoaLong RefCount() const { return header_->refCount; }

    FakeCalloc calloc;

private:
    std::vector<unsigned char> storage_;
    FakeHeader* header_;
};

}  // namespace module_test
