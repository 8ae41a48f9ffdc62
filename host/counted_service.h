// A host service lives as long as the host; the counting is only there so
// that tests can see every reference the Xtra took being given back.
#pragma once
#include "moa/imoa_unknown.h"

namespace marlowhost {

template <typename Interface>
class CountedService : public Interface {
public:
    explicit CountedService(const MoaInterfaceID& ownID) : ownID_(ownID) {}
    CountedService(const CountedService&) = delete;
    CountedService& operator=(const CountedService&) = delete;
    virtual ~CountedService() = default;

    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override {
        if (out == nullptr || iid == nullptr) {
            return kMoaErr_BadParam;
        }
        if (MoaEqualID(*iid, IID_IMoaUnknown) || MoaEqualID(*iid, ownID_)) {
            AddRef();
            *out = static_cast<Interface*>(this);
            return kMoaErr_NoErr;
        }
        *out = nullptr;
        return kMoaErr_BadInterface;
    }
    MoaUlong MOA_STDCALL AddRef() override { return static_cast<MoaUlong>(++references_); }
    MoaUlong MOA_STDCALL Release() override {
        if (references_ == 0) {
            ++overReleases_;
            return 0;
        }
        return static_cast<MoaUlong>(--references_);
    }

    // References taken and not yet given back.
    int References() const { return references_; }
    // Releases beyond the references taken: always a fault of the caller.
    int OverReleases() const { return overReleases_; }
    const MoaInterfaceID& OwnID() const { return ownID_; }

private:
    MoaInterfaceID ownID_;
    int references_ = 0;
    int overReleases_ = 0;
};

}  // namespace marlowhost
