#include "host_objects.h"

#include <cstdlib>
#include <new>

namespace marlowhost {

// The host's bookkeeping for one object; the header's magicCookie points here.
struct HostObjects::Record {
    HostObjects* owner;
    XtraClass xtraClass;
    bool ownsMemory;
    bool destroying;
    void* memory;
};

// The IMoaUnknown at offset 0 of every object: nothing but its vtable
// pointer, so the header fields that follow it stay where MOA puts them.
class HostObjects::ObjectUnknown : public IMoaUnknown {
public:
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override {
        if (iid == nullptr || out == nullptr) {
            return kMoaErr_BadParam;
        }
        if (MoaEqualID(*iid, IID_IMoaUnknown)) {
            AddRef();
            *out = static_cast<IMoaUnknown*>(this);
            return kMoaErr_NoErr;
        }
        const XtraClass& xtraClass = RecordOf()->xtraClass;
        if (xtraClass.getInterface == nullptr) {
            *out = nullptr;
            return kMoaErr_BadInterface;
        }
        return xtraClass.getInterface(this, &xtraClass.classID, iid, out);
    }
    MoaUlong MOA_STDCALL AddRef() override { return static_cast<MoaUlong>(++HeaderOf()->refCount); }
    MoaUlong MOA_STDCALL Release() override {
        MoaObjectHeader* header = HeaderOf();
        Record* record = RecordOf();
        if (header->refCount <= 0) {
            ++record->owner->overReleases_;
            return 0;
        }
        MoaLong count = --header->refCount;
        if (count == 0 && !record->destroying) {
            record->owner->Destroy(record);
        }
        return static_cast<MoaUlong>(count);
    }

private:
    MoaObjectHeader* HeaderOf() { return reinterpret_cast<MoaObjectHeader*>(this); }
    Record* RecordOf() { return static_cast<Record*>(HeaderOf()->magicCookie); }
};

HostObjects::HostObjects(IMoaCallback* callback, IMoaCalloc* calloc) : callback_(callback), calloc_(calloc) {}

HostObjects::~HostObjects() {
    for (auto& [memory, record] : records_) {
        if (record->ownsMemory) {
            std::free(memory);
        }
    }
}

MoaError HostObjects::Create(const XtraClass& xtraClass, IMoaUnknown** out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = nullptr;
    if (xtraClass.objectSize < static_cast<MoaLong>(sizeof(MoaObjectHeader))) {
        return kMoaErr_BadParam;
    }
    void* memory = std::calloc(static_cast<size_t>(xtraClass.objectSize), 1);
    if (memory == nullptr) {
        return kMoaErr_OutOfMem;
    }
    return Install(memory, true, xtraClass, out);
}

MoaError HostObjects::Adopt(void* memory, const XtraClass& xtraClass, IMoaUnknown** out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = nullptr;
    if (memory == nullptr) {
        return kMoaErr_BadParam;
    }
    return Install(memory, false, xtraClass, out);
}

MoaError HostObjects::Install(void* memory, bool ownsMemory, const XtraClass& xtraClass, IMoaUnknown** out) {
    auto record = std::make_unique<Record>(Record{this, xtraClass, ownsMemory, false, memory});
    IMoaUnknown* object = new (memory) ObjectUnknown;
    MoaObjectHeader* header = Header(object);
    header->magicCookie = record.get();
    header->pCallback = callback_;
    header->pCalloc = calloc_;
    header->pClassID = &record->xtraClass.classID;
    header->refCount = 1;
    records_.emplace(memory, std::move(record));
    if (xtraClass.create != nullptr) {
        MoaError created = xtraClass.create(object);
        if (created != kMoaErr_NoErr) {
            records_.erase(memory);
            if (ownsMemory) {
                std::free(memory);
            }
            return created;
        }
    }
    *out = object;
    return kMoaErr_NoErr;
}

void HostObjects::Destroy(Record* record) {
    record->destroying = true;
    void* memory = record->memory;
    if (record->xtraClass.destroy != nullptr) {
        ++destroyCalls_;
        record->xtraClass.destroy(memory);
    }
    bool ownsMemory = record->ownsMemory;
    records_.erase(memory);
    if (ownsMemory) {
        std::free(memory);
    }
}

}  // namespace marlowhost
