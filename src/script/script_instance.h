// The per-object data behind the host's object header.
#pragma once

#include <cstdint>

#include "diag/status_record.h"
#include "host/host_text.h"
#include "moa/imoa_notification.h"
#include "moa/moa_object.h"

class AudioDevice;
class HostBridge;
struct ScriptInterface;

struct ScriptInstance {
    static constexpr int kTextBytes = 500;

    char replyText[kTextBytes];
    StatusRecord status;
    HostBridge* hostBridge;  // owned; null once the object is spent
    char internalErrorHandler[kTextBytes];
    char errorHandler[kTextBytes];
    char flowHandler[kTextBytes];
    bool traceEnabled;
    int32_t traceThreshold;
    bool logToFile;
    IMoaNotificationClient* notificationClient;  // counted, from new to forget
    bool showErrorDialogs;
    AudioDevice* audioDevice;  // owned, from new to forget
    // Calls and notifications in progress. A movie handler may forget the
    // object while one runs; the device and the bridge then go when the
    // outermost one leaves.
    int32_t activeEntries;
    bool teardownPending;
    // Engine failures being reported to the movie right now. The engine is
    // then inside one of its own operations and must not be entered again.
    int32_t engineReportDepth;
    // The interface the forwarding callback names, held while routing is on.
    ScriptInterface* routingInterface;
    // The host's text, chosen when the object is made.
    HostText hostText = HostText::AnsiCodePage();

    // Whether a flow line of this level is written anywhere at all.
    bool TracesFlow(int32_t level) const { return traceEnabled && level >= traceThreshold; }
};

// What the host allocates: its header, then the instance.
struct InstanceObject {
    MoaObjectHeader header;
    ScriptInstance instance;
};
