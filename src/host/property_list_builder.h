// Builds one property list and, when it goes, appends it as the only
// element of a result list. Uses a short-lived bridge of its own.
#pragma once

#include <cstdint>

#include "diag/status_record.h"
#include "host/host_bridge.h"

class PropertyListBuilder {
public:
    // Makes target a new, empty linear list.
    PropertyListBuilder(IMoaCallback* callback, MoaMmValue* target);
    ~PropertyListBuilder();
    PropertyListBuilder(const PropertyListBuilder&) = delete;
    PropertyListBuilder& operator=(const PropertyListBuilder&) = delete;

    // The host's answer is not looked at: both answer "Ok". Inline, so that
    // a caller that drops the answer copies no record.
    StatusRecord AddInteger(const char* name, int32_t value) {
        AppendInteger(name, value);
        status_.Reset();
        return status_;
    }
    StatusRecord AddText(const char* name, const char* text) {
        AppendText(name, text);
        status_.Reset();
        return status_;
    }

private:
    void AppendInteger(const char* name, int32_t value);
    void AppendText(const char* name, const char* text);
    void MakePropertyListOnce();

    HostBridge bridge_;  // leaves the shared trace log alone
    MoaMmValue* target_;
    MoaMmValue propertyList_ = {};
    bool hasPropertyList_ = false;
    StatusRecord status_;
};
