// Version, the compressor stub and the diagnostic switches.
#include "diag/bounded_text.h"
#include "host/host_text.h"
#include "module/registration_text.h"
#include "script/internal_error_forwarding.h"
#include "script/method_behaviours.h"

namespace script {
namespace {

enum PrivateInstanceMode : int32_t {
    kInternalErrorRouting = 1,
    kFlowTracing = 2,
    kTraceLog = 3,
    kDebugBuildQuery = 255,
};

// Handler names from the movie: up to 99 bytes.
constexpr std::size_t kHandlerNameBytes = 100;

bool LowByteIsSet(int32_t value) {
    return static_cast<uint8_t>(value) != 0;
}

void SwitchInternalErrorRouting(const MethodCall& method) {
    ScriptInstance& instance = method.instance();
    HostBridge& bridge = method.bridge();
    int32_t on = 0;
    if (bridge.ReadIntegerArgument(method.call, 2, &on)) {
        void* userData = on != 0 ? method.self : nullptr;
        StatusCallback callback = on != 0 ? ForwardInternalError : nullptr;
        SetEngineCallback(instance, userData, callback);
        // The instance's record would otherwise keep routing its own
        // failures until it next copies a device result.
        instance.status.SetCallback(userData, callback);
        HoldRoutingInterface(instance, on != 0 ? method.self : nullptr);
    }
    char handler[kHandlerNameBytes];
    if (bridge.ReadTextArgument(method.call, 3, handler, sizeof handler)) {
        CopyBounded(instance.internalErrorHandler, handler);
    }
}

void SwitchFlowTracing(const MethodCall& method) {
    ScriptInstance& instance = method.instance();
    int32_t value = 0;
    if (method.bridge().ReadIntegerArgument(method.call, 2, &value)) {
        instance.traceEnabled = LowByteIsSet(value);
    }
    if (method.bridge().ReadIntegerArgument(method.call, 3, &value)) {
        instance.traceThreshold = value;
    }
}

void SwitchTraceLog(const MethodCall& method) {
    ScriptInstance& instance = method.instance();
    HostBridge& bridge = method.bridge();
    int32_t on = 0;
    if (!bridge.ReadIntegerArgument(method.call, 2, &on) || on == (instance.logToFile ? 1 : 0)) {
        return;
    }
    instance.logToFile = LowByteIsSet(on);
    char path[kPathBufferBytes];
    if (bridge.ReadTextArgument(method.call, 3, path, sizeof path)) {
        bridge.SetLogPath(path);
    }
    if (instance.logToFile) {
        bridge.OpenLog();
    } else {
        bridge.CloseLog();
    }
}

}  // namespace

void GetVersionStringMethod(const MethodCall& method) {
    AnswerText(method, module::VersionBanner());
}

void FindAllAudioCompressorsMethod(const MethodCall& method) {
    AnswerText(method, "Not implemented yet");
}

// An argument that does not read as an integer switches dialogs off.
void ShowErrorsAsDialogsMethod(const MethodCall& method) {
    int32_t onOff = 0;
    method.instance().showErrorDialogs = method.bridge().ReadIntegerArgument(method.call, 1, &onOff) && onOff == 1;
    AnswerReplyText(method);
}

void PrivateInstanceMethod(const MethodCall& method) {
    int32_t mode = 0;
    if (method.bridge().ReadIntegerArgument(method.call, 1, &mode)) {
        switch (mode) {
            case kInternalErrorRouting:
                SwitchInternalErrorRouting(method);
                break;
            case kFlowTracing:
                SwitchFlowTracing(method);
                break;
            case kTraceLog:
                SwitchTraceLog(method);
                break;
            case kDebugBuildQuery:
                CopyBounded(method.instance().replyText, "This is not a debug build - NOT VALID HERE");
                break;
            default:
                break;
        }
    }
    AnswerReplyText(method);
}

}  // namespace script
