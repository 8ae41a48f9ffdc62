#include "host/host_bridge.h"

#include "diag/bounded_text.h"
#include "diag/trace_log.h"
#include "host/host_width_conversions.h"

namespace {

constexpr const char* kDefaultLogPath = "c:\\xtralog.txt";

// Asks the host callback for a service; a refusal leaves the slot empty.
template <typename Service>
void QueryService(IMoaCallback* callback, const MoaInterfaceID& iid, Service** slot) {
    void* service = nullptr;
    if (callback->QueryInterface(&iid, &service) != kMoaErr_NoErr) {
        service = nullptr;
    }
    *slot = static_cast<Service*>(service);
}

template <typename Interface>
void ReleaseInto(Interface** slot) {
    if (*slot != nullptr) {
        (*slot)->Release();
        *slot = nullptr;
    }
}

}  // namespace

HostBridge::HostBridge(IMoaCallback* callback, bool ownsTraceLog) : ownsTraceLog_(ownsTraceLog) {
    ObtainServices(callback);
    CopyBounded(logPath_, kDefaultLogPath);
}

HostBridge::~HostBridge() {
    if (ownsTraceLog_ && TraceLog::Instance().IsOpen()) {
        CloseLog();
    }
    ReleaseServices();
}

void HostBridge::ObtainServices(IMoaCallback* callback) {
    callback_ = callback;
    if (callback_ != nullptr) {
        QueryService(callback_, IID_IMoaMmValue, &value_);
        QueryService(callback_, IID_IMoaMmList, &list_);
        QueryService(callback_, IID_IMoaDrPlayer, &player_);
        QueryService(callback_, IID_IMoaNotification, &notification_);
        instanceHandle_ = nullptr;
        parentWindow_ = nullptr;
        QueryService(callback_, IID_IMoaMmWndWin, &window_);
        if (window_ != nullptr && window_->WinGetParent(&instanceHandle_, &parentWindow_) != kMoaErr_NoErr) {
            instanceHandle_ = nullptr;
            parentWindow_ = nullptr;
        }
    }
}

void HostBridge::ReleaseServices() {
    ReleaseInto(&window_);
    ReleaseInto(&value_);
    ReleaseInto(&list_);
    ReleaseInto(&player_);
    ReleaseInto(&notification_);
}

const MoaMmValue* HostBridge::Argument(const MoaMmCallInfo* call, int index) {
    if (index < 0 || index >= call->nargs) {
        return nullptr;
    }
    return &call->pArgs[index];
}

bool HostBridge::ReadTextArgument(const MoaMmCallInfo* call, int index, char* buffer, std::size_t capacity) {
    const MoaMmValue* argument = Argument(call, index);
    if (argument == nullptr || capacity == 0) {
        return false;
    }
    const MoaLong hostCapacity = HostCapacity(capacity);
    if (value_->ValueToString(argument, buffer, hostCapacity) != kMoaErr_NoErr) {
        return false;
    }
    buffer[hostCapacity - 1] = '\0';
    return true;
}

bool HostBridge::ReadIntegerArgument(const MoaMmCallInfo* call, int index, int32_t* out) {
    const MoaMmValue* argument = Argument(call, index);
    MoaLong integer = 0;
    if (argument == nullptr || value_->ValueToInteger(argument, &integer) != kMoaErr_NoErr) {
        return false;
    }
    *out = integer;
    return true;
}

bool HostBridge::ReadFloatArgument(const MoaMmCallInfo* call, int index, float* out) {
    const MoaMmValue* argument = Argument(call, index);
    MoaDouble number = 0.0;
    if (argument == nullptr || value_->ValueToFloat(argument, &number) != kMoaErr_NoErr) {
        return false;
    }
    *out = NarrowToFloat(number);
    return true;
}

MoaError HostBridge::MakeText(const char* text, MoaMmValue* out) {
    return value_->StringToValue(text, out);
}

MoaError HostBridge::MakeInteger(int32_t value, MoaMmValue* out) {
    return value_->IntegerToValue(value, out);
}

MoaError HostBridge::MakeFloat(double value, MoaMmValue* out) {
    return value_->FloatToValue(value, out);
}

MoaError HostBridge::NewList(MoaMmValue* out) {
    return list_->NewListValue(out);
}

MoaError HostBridge::NewPropertyList(MoaMmValue* out) {
    return list_->NewPropListValue(out);
}

MoaError HostBridge::AppendToList(MoaMmValue* list, MoaMmValue* element) {
    return list_->AppendValueToList(list, element);
}

void HostBridge::Release(MoaMmValue* value) {
    value_->ValueRelease(value);
}
