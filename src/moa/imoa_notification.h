#pragma once
#include "moa/imoa_unknown.h"

// {E58EE2CC-3D86-11D0-90AC-00059A80E82F}
inline constexpr MoaInterfaceID IID_IMoaNotificationClient = {0xE58EE2CC, 0x3D86, 0x11D0, {0x90, 0xAC, 0x00, 0x05, 0x9A, 0x80, 0xE8, 0x2F}};
// {CA015FDA-3D86-11D0-8125-00059A80E82F}
inline constexpr MoaInterfaceID IID_IMoaNotification = {0xCA015FDA, 0x3D86, 0x11D0, {0x81, 0x25, 0x00, 0x05, 0x9A, 0x80, 0xE8, 0x2F}};
// {3B881B5E-3E12-11D0-99A6-00059A80E82F}: the host's idle notification.
inline constexpr MoaNotifyID NID_DrNIdle = {0x3B881B5E, 0x3E12, 0x11D0, {0x99, 0xA6, 0x00, 0x05, 0x9A, 0x80, 0xE8, 0x2F}};

struct IMoaNotificationClient : IMoaUnknown {
    virtual MoaError MOA_STDCALL Notify(const MoaNotifyID* nid, void* notifyData, void* refCon) = 0;
};

struct IMoaNotification : IMoaUnknown {
    virtual MoaError MOA_STDCALL RegisterNotificationClient(IMoaNotificationClient* client, const MoaNotifyID* nid,
                                                            const void* notifyData, const void* refCon) = 0;
    virtual MoaError MOA_STDCALL UnregisterNotificationClient(IMoaNotificationClient* client, const MoaNotifyID* nid,
                                                              const void* notifyData) = 0;
    virtual MoaError MOA_STDCALL SendNotification(const MoaNotifyID* nid, const void* notifyData) = 0;
};
