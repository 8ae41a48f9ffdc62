// IMoaCallback: the service provider of the object header. QueryInterface
// with a service's IID gives that service, counted; tests can withhold one.
#pragma once
#include <vector>

#include "counted_service.h"
#include "moa/imoa_callback.h"

namespace marlowhost {

class HostCallback : public CountedService<IMoaCallback> {
public:
    explicit HostCallback(IMoaCache* cache) : CountedService(IID_IMoaCallback), cache_(cache) {}

    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override;
    MoaError MOA_STDCALL MoaCreateInstance(const MoaClassID* classID, const MoaInterfaceID* iid, void** out) override;
    // Borrowed: the host keeps the cache.
    IMoaCache* MOA_STDCALL MoaGetCache() override { return cache_; }
    void* MOA_STDCALL MoaBeginUsingResources(void* fileRef, void** saveCookie) override;
    void MOA_STDCALL MoaEndUsingResources(void* fileRef, void* saveCookie) override;

    void Provide(const MoaInterfaceID& iid, IMoaUnknown* service);
    // A withheld service is answered with kMoaErr_BadInterface and null.
    void Withhold(const MoaInterfaceID& iid, bool withheld = true);
    // Queries answered with a service, and refused, for that IID.
    int Queries(const MoaInterfaceID& iid) const;
    int RefusedQueries(const MoaInterfaceID& iid) const;

private:
    struct Offer {
        MoaInterfaceID iid;
        IMoaUnknown* service;
        bool withheld;
        int queries;
        int refused;
    };
    Offer* FindOffer(const MoaInterfaceID& iid);
    const Offer* FindOffer(const MoaInterfaceID& iid) const;

    IMoaCache* cache_;
    std::vector<Offer> offers_;
};

}  // namespace marlowhost
