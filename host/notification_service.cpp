#include "notification_service.h"

#include "host_choices.h"

namespace marlowhost {

NotificationService::~NotificationService() { DropAll(); }

MoaError MOA_STDCALL NotificationService::RegisterNotificationClient(IMoaNotificationClient* client,
                                                                     const MoaNotifyID* nid, const void* notifyData,
                                                                     const void* refCon) {
    if (client == nullptr || nid == nullptr) {
        return kMoaErr_BadParam;
    }
    client->AddRef();
    registrations_.push_back(NotificationRegistration{client, *nid, notifyData, refCon});
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL NotificationService::UnregisterNotificationClient(IMoaNotificationClient* client,
                                                                       const MoaNotifyID* nid, const void*) {
    if (client == nullptr || nid == nullptr) {
        return kMoaErr_BadParam;
    }
    for (auto registration = registrations_.begin(); registration != registrations_.end(); ++registration) {
        if (registration->client == client && MoaEqualID(registration->nid, *nid)) {
            registrations_.erase(registration);
            client->Release();
            return kMoaErr_NoErr;
        }
    }
    return kNotRegistered;
}

MoaError MOA_STDCALL NotificationService::SendNotification(const MoaNotifyID* nid, const void* notifyData) {
    if (nid == nullptr) {
        return kMoaErr_BadParam;
    }
    Notify(*nid, notifyData);
    return kMoaErr_NoErr;
}

int NotificationService::Idle() {
    // What the idle data means is not known; nobody reads it, so none is given.
    return Notify(NID_DrNIdle, nullptr);
}

int NotificationService::Notify(const MoaNotifyID& nid, const void* notifyData) {
    // A client may register or unregister clients while it is notified:
    // notify those registered at the start that are still registered.
    std::vector<NotificationRegistration> due;
    for (const NotificationRegistration& registration : registrations_) {
        if (MoaEqualID(registration.nid, nid)) {
            registration.client->AddRef();
            due.push_back(registration);
        }
    }
    int notified = 0;
    for (const NotificationRegistration& registration : due) {
        bool stillRegistered = false;
        for (const NotificationRegistration& current : registrations_) {
            stillRegistered = stillRegistered || (current.client == registration.client && MoaEqualID(current.nid, nid));
        }
        if (stillRegistered) {
            ++notifyCalls_;
            ++notified;
            registration.client->Notify(&nid, const_cast<void*>(notifyData), const_cast<void*>(registration.refCon));
        }
        registration.client->Release();
    }
    return notified;
}

int NotificationService::RegisteredClients(const MoaNotifyID& nid) const {
    int count = 0;
    for (const NotificationRegistration& registration : registrations_) {
        count += MoaEqualID(registration.nid, nid) ? 1 : 0;
    }
    return count;
}

void NotificationService::DropAll() {
    std::vector<NotificationRegistration> dropped;
    dropped.swap(registrations_);
    for (const NotificationRegistration& registration : dropped) {
        registration.client->Release();
    }
}

}  // namespace marlowhost
