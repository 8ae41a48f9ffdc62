// Idle notification of registered clients.
#include <gtest/gtest.h>

#include <functional>

#include "test_host.h"

namespace {

using marlowhost::TestHost;

struct CountingClient : IMoaNotificationClient {
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID*, void**) override { return kMoaErr_BadInterface; }
    MoaUlong MOA_STDCALL AddRef() override { return static_cast<MoaUlong>(++references); }
    MoaUlong MOA_STDCALL Release() override { return static_cast<MoaUlong>(--references); }
    MoaError MOA_STDCALL Notify(const MoaNotifyID* nid, void*, void* refCon) override {
        ++notified;
        lastRefCon = refCon;
        idle = nid != nullptr && MoaEqualID(*nid, NID_DrNIdle);
        if (onNotify) {
            onNotify();
        }
        return kMoaErr_NoErr;
    }
    int references = 1;
    int notified = 0;
    bool idle = false;
    void* lastRefCon = nullptr;
    std::function<void()> onNotify;
};

constexpr MoaNotifyID kOtherNotification = {0x1B8E63BD, 0x501E, 0x11B2, {0x94, 0x34, 0, 0x30, 0x65, 0x83, 0x8E, 0xCE}};

TEST(Notification, RegisteredClientsAreHeldAndNotifiedAtIdle) {
    CountingClient client;
    TestHost host;
    MoaLong data = 100;
    int refCon = 0;
    ASSERT_EQ(host.Notifications().RegisterNotificationClient(&client, &NID_DrNIdle, &data, &refCon), kMoaErr_NoErr);
    EXPECT_EQ(client.references, 2);
    EXPECT_EQ(host.Notifications().RegisteredClients(), 1);
    EXPECT_EQ(host.Idle(), 1);
    EXPECT_EQ(host.Idle(), 1);
    EXPECT_EQ(client.notified, 2);
    EXPECT_TRUE(client.idle);
    EXPECT_EQ(client.lastRefCon, &refCon);
    EXPECT_EQ(client.references, 2);
}

TEST(Notification, UnregisterMatchesClientAndIdAndReleases) {
    CountingClient client;
    TestHost host;
    MoaLong registered = 100;
    MoaLong unregistered = 100;  // another pointer to the same value, as a caller's local gives
    host.Notifications().RegisterNotificationClient(&client, &NID_DrNIdle, &registered, nullptr);
    EXPECT_EQ(host.Notifications().UnregisterNotificationClient(&client, &kOtherNotification, &unregistered),
              marlowhost::kNotRegistered);
    EXPECT_EQ(host.Notifications().UnregisterNotificationClient(&client, &NID_DrNIdle, &unregistered), kMoaErr_NoErr);
    EXPECT_EQ(client.references, 1);
    EXPECT_EQ(host.Idle(), 0);
    EXPECT_EQ(client.notified, 0);
}

TEST(Notification, OnlyIdleClientsHearTheIdleTick) {
    CountingClient idleClient;
    CountingClient otherClient;
    TestHost host;
    host.Notifications().RegisterNotificationClient(&idleClient, &NID_DrNIdle, nullptr, nullptr);
    host.Notifications().RegisterNotificationClient(&otherClient, &kOtherNotification, nullptr, nullptr);
    EXPECT_EQ(host.Idle(), 1);
    EXPECT_EQ(otherClient.notified, 0);
    EXPECT_EQ(host.Notifications().RegisteredClients(NID_DrNIdle), 1);
}

TEST(Notification, AClientUnregisteredDuringTheTickIsNotNotified) {
    CountingClient first;
    CountingClient second;
    TestHost host;
    first.onNotify = [&] { host.Notifications().UnregisterNotificationClient(&second, &NID_DrNIdle, nullptr); };
    host.Notifications().RegisterNotificationClient(&first, &NID_DrNIdle, nullptr, nullptr);
    host.Notifications().RegisterNotificationClient(&second, &NID_DrNIdle, nullptr, nullptr);
    EXPECT_EQ(host.Idle(), 1);
    EXPECT_EQ(second.notified, 0);
    EXPECT_EQ(second.references, 1);
    host.Notifications().DropAll();
    EXPECT_EQ(first.references, 1);
}

}  // namespace
