// Instance objects as the host makes them: the host's own IMoaUnknown at
// offset 0, then pCallback, pCalloc, pClassID and refCount (MoaObjectHeader),
// then the Xtra's instance variables. QueryInterface for any interface but
// IMoaUnknown goes to the class's DllGetInterface; at count 0 the destroy
// procedure runs and the object is freed.
#pragma once
#include <map>
#include <memory>

#include "moa/imoa_callback.h"
#include "moa/imoa_calloc.h"
#include "moa/moa_object.h"

namespace marlowhost {

// What the host knows of a class. The functions may come from a loaded
// library or from an Xtra linked into a test.
struct XtraClass {
    MoaClassID classID = IID_NULL_MOA;
    MoaLong objectSize = 0;  // header included
    MoaCreatedProc create = nullptr;
    MoaDestroyedProc destroy = nullptr;
    DllGetInterfaceProc getInterface = nullptr;
};

class HostObjects {
public:
    // The header's pCallback and pCalloc; borrowed, not counted.
    HostObjects(IMoaCallback* callback, IMoaCalloc* calloc);
    // Frees objects still alive without calling into their class.
    ~HostObjects();
    HostObjects(const HostObjects&) = delete;
    HostObjects& operator=(const HostObjects&) = delete;

    // Allocates objectSize zeroed bytes (kMoaErr_BadParam below the header's
    // size), fills the header with count 1 and calls create; a refused create
    // frees the object and answers create's code with *out null.
    MoaError Create(const XtraClass& xtraClass, IMoaUnknown** out);
    // The same around memory the caller owns (at least objectSize bytes, the
    // header first); at count 0 destroy runs but the memory stays the caller's.
    MoaError Adopt(void* memory, const XtraClass& xtraClass, IMoaUnknown** out);

    int LiveObjects() const { return static_cast<int>(records_.size()); }
    int DestroyCalls() const { return destroyCalls_; }
    // Releases past count 0.
    int OverReleases() const { return overReleases_; }
    static MoaObjectHeader* Header(IMoaUnknown* object) { return reinterpret_cast<MoaObjectHeader*>(object); }

private:
    struct Record;
    class ObjectUnknown;
    MoaError Install(void* memory, bool ownsMemory, const XtraClass& xtraClass, IMoaUnknown** out);
    void Destroy(Record* record);

    IMoaCallback* callback_;
    IMoaCalloc* calloc_;
    std::map<void*, std::unique_ptr<Record>> records_;
    int destroyCalls_ = 0;
    int overReleases_ = 0;
};

}  // namespace marlowhost
