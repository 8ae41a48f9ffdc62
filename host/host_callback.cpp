#include "host_callback.h"

namespace marlowhost {

MoaError MOA_STDCALL HostCallback::QueryInterface(const MoaInterfaceID* iid, void** out) {
    if (iid == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    if (MoaEqualID(*iid, IID_IMoaUnknown) || MoaEqualID(*iid, IID_IMoaCallback)) {
        return CountedService::QueryInterface(iid, out);
    }
    Offer* offer = FindOffer(*iid);
    if (offer == nullptr) {
        *out = nullptr;
        return kMoaErr_BadInterface;
    }
    if (offer->withheld || offer->service == nullptr) {
        ++offer->refused;
        *out = nullptr;
        return kMoaErr_BadInterface;
    }
    ++offer->queries;
    return offer->service->QueryInterface(iid, out);
}

MoaError MOA_STDCALL HostCallback::MoaCreateInstance(const MoaClassID*, const MoaInterfaceID*, void** out) {
    if (out != nullptr) {
        *out = nullptr;
    }
    return kMoaErr_BadClass;
}

void* MOA_STDCALL HostCallback::MoaBeginUsingResources(void*, void** saveCookie) {
    if (saveCookie != nullptr) {
        *saveCookie = nullptr;
    }
    return nullptr;
}

void MOA_STDCALL HostCallback::MoaEndUsingResources(void*, void*) {}

void HostCallback::Provide(const MoaInterfaceID& iid, IMoaUnknown* service) {
    Offer* offer = FindOffer(iid);
    if (offer == nullptr) {
        offers_.push_back(Offer{iid, service, false, 0, 0});
    } else {
        offer->service = service;
    }
}

void HostCallback::Withhold(const MoaInterfaceID& iid, bool withheld) {
    Offer* offer = FindOffer(iid);
    if (offer == nullptr) {
        offers_.push_back(Offer{iid, nullptr, withheld, 0, 0});
    } else {
        offer->withheld = withheld;
    }
}

int HostCallback::Queries(const MoaInterfaceID& iid) const {
    const Offer* offer = FindOffer(iid);
    return offer == nullptr ? 0 : offer->queries;
}

int HostCallback::RefusedQueries(const MoaInterfaceID& iid) const {
    const Offer* offer = FindOffer(iid);
    return offer == nullptr ? 0 : offer->refused;
}

HostCallback::Offer* HostCallback::FindOffer(const MoaInterfaceID& iid) {
    return const_cast<Offer*>(static_cast<const HostCallback*>(this)->FindOffer(iid));
}

const HostCallback::Offer* HostCallback::FindOffer(const MoaInterfaceID& iid) const {
    for (const Offer& offer : offers_) {
        if (MoaEqualID(offer.iid, iid)) {
            return &offer;
        }
    }
    return nullptr;
}

}  // namespace marlowhost
