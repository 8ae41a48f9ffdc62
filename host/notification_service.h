// IMoaNotification: clients registered per notification ID, each AddRef'd
// while registered; Idle() notifies every client registered for NID_DrNIdle.
#pragma once
#include <vector>

#include "counted_service.h"
#include "moa/imoa_notification.h"

namespace marlowhost {

struct NotificationRegistration {
    IMoaNotificationClient* client;
    MoaNotifyID nid;
    const void* notifyData;
    const void* refCon;
};

class NotificationService : public CountedService<IMoaNotification> {
public:
    NotificationService() : CountedService(IID_IMoaNotification) {}
    // Releases the clients still registered.
    ~NotificationService() override;

    MoaError MOA_STDCALL RegisterNotificationClient(IMoaNotificationClient* client, const MoaNotifyID* nid,
                                                    const void* notifyData, const void* refCon) override;
    // Matches the client and the ID (the data pointer may differ from the
    // one registered); kNotRegistered when no registration matches.
    MoaError MOA_STDCALL UnregisterNotificationClient(IMoaNotificationClient* client, const MoaNotifyID* nid,
                                                      const void* notifyData) override;
    // Notifies every client registered for nid, with notifyData and its refCon.
    MoaError MOA_STDCALL SendNotification(const MoaNotifyID* nid, const void* notifyData) override;

    // One idle tick: Notify(NID_DrNIdle, null, refCon) on each idle client.
    // Answers the number of clients notified.
    int Idle();
    int RegisteredClients() const { return static_cast<int>(registrations_.size()); }
    int RegisteredClients(const MoaNotifyID& nid) const;
    int NotifyCalls() const { return notifyCalls_; }
    const std::vector<NotificationRegistration>& Registrations() const { return registrations_; }
    // Releases every client (before the library behind them goes).
    void DropAll();

private:
    int Notify(const MoaNotifyID& nid, const void* notifyData);

    std::vector<NotificationRegistration> registrations_;
    int notifyCalls_ = 0;
};

}  // namespace marlowhost
