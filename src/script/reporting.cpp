// What the instance tells the movie: flow lines, user errors and internal
// errors, each ending in a movie handler call.
#include <cstdio>

#include "audio/audio_device.h"
#include "host/host_bridge.h"
#include "platform/windows_api.h"
#include "script/internal_error_forwarding.h"
#include "script/script_instance.h"
#include "script/script_operations.h"

namespace script {
namespace {

constexpr const char* kXtraName = "Marlowtide";
constexpr const char* kLogTag = "<*>";
constexpr int32_t kReportLevel = 50;
constexpr int32_t kInternalErrorLevel = 75;

constexpr std::size_t kFlowLineBytes = 2000;
constexpr std::size_t kReportLogBytes = 1024;
constexpr std::size_t kCaptionBytes = 256;
constexpr std::size_t kBodyBytes = 1000;

// Values made for a handler call, released afterwards through whatever
// bridge the instance still has (a handler may have forgotten the object).
template <std::size_t Count>
void ReleaseAll(ScriptInstance& instance, MoaMmValue (&values)[Count]) {
    if (instance.hostBridge == nullptr) {
        return;
    }
    for (MoaMmValue& value : values) {
        instance.hostBridge->Release(&value);
    }
}

}  // namespace

MoaError CallHandler(InstanceObject* object, const char* name, int32_t count, MoaMmValue* args) {
    ScriptInstance& instance = object->instance;
    if (instance.hostBridge == nullptr) {
        return kMoaErr_NoErr;
    }
    instance.hostBridge->CallMovieHandler(name, count, args);
    if (instance.logToFile && instance.hostBridge != nullptr) {
        instance.hostBridge->TraceValues(count, args);
    }
    return kMoaErr_NoErr;
}

MoaError ExecutionFlow(InstanceObject* object, const char* where, const char* what, int32_t level) {
    ScriptInstance& instance = object->instance;
    if (!instance.TracesFlow(level)) {
        return kMoaErr_NoErr;
    }
    char line[kFlowLineBytes];
    std::snprintf(line, sizeof line, "ExecutionFlow\t:%s : %s\n", where, what);
    if (instance.logToFile && instance.hostBridge != nullptr) {
        instance.hostBridge->Trace(line, kLogTag);
    }
    OutputDebugStringW(instance.hostText.ToWideForDisplay(line).c_str());
    // A spent object still writes its debugger line, but has no movie.
    if (instance.hostBridge == nullptr) {
        return kMoaErr_NoErr;
    }
    MoaMmValue args[2] = {};
    instance.hostBridge->MakeText(where, &args[0]);
    instance.hostBridge->MakeText(what, &args[1]);
    CallHandler(object, instance.flowHandler, 2, args);
    ReleaseAll(instance, args);
    return kMoaErr_NoErr;
}

MoaError SendInternalErrorToDirector(ScriptInterface* self, InstanceObject* object, const char* message,
                                     int32_t code) {
    ScriptInstance& instance = object->instance;
    self->ExecutionFlow("SendInternalErrorToDirector", "Enter", kInternalErrorLevel);
    if (instance.hostBridge != nullptr) {
        MoaMmValue args[3] = {};
        instance.hostBridge->MakeInteger(InstanceId(self), &args[0]);
        instance.hostBridge->MakeText(message, &args[1]);
        instance.hostBridge->MakeInteger(code, &args[2]);
        ++instance.engineReportDepth;
        self->CallHandler(instance.internalErrorHandler, 3, args);
        --instance.engineReportDepth;
        ReleaseAll(instance, args);
    }
    self->ExecutionFlow("SendInternalErrorToDirector", "Exit", kInternalErrorLevel);
    return kMoaErr_NoErr;
}

MoaError InformUserViaCallback(ScriptInterface* self, InstanceObject* object, const char* description,
                               const char* help, const char* debug) {
    ScriptInstance& instance = object->instance;
    self->ExecutionFlow("InformUserViaCallback", "Enter", kReportLevel);
    if (instance.hostBridge != nullptr) {
        HostBridge& bridge = *instance.hostBridge;
        MoaMmValue report[1] = {};
        bridge.NewPropertyList(&report[0]);
        bridge.AddTextProperty(&report[0], "XtraName", kXtraName);
        bridge.AddTextProperty(&report[0], "TYPE", "Error");
        bridge.AddIntegerProperty(&report[0], "Id", InstanceId(self));
        bridge.AddTextProperty(&report[0], "Description", description);
        bridge.AddTextProperty(&report[0], "Help", help);
        if (instance.logToFile) {
            char text[kReportLogBytes];
            std::snprintf(text, sizeof text, "<Desc:%s><Help:%s><Debug:%s>", description, help, debug);
            bridge.Trace(text, kLogTag);
        }
        self->CallHandler(instance.errorHandler, 1, report);
        ReleaseAll(instance, report);
    }
    self->InformUserOfErrorUsingDialog("Error", help, "", debug);
    self->ExecutionFlow("InformUserViaCallbackOfUserError", "Exit", kReportLevel);
    return kMoaErr_NoErr;
}

MoaError InformUserOfErrorUsingDialog(ScriptInterface* self, InstanceObject* object, const char* title,
                                      const char* line1, const char* line2, const char*) {
    ScriptInstance& instance = object->instance;
    self->ExecutionFlow("InformUserOfErrorUsingDialog", "Enter", kReportLevel);
    if (instance.showErrorDialogs && instance.hostBridge != nullptr) {
        char body[kBodyBytes];
        std::snprintf(body, sizeof body, "%s\n%s", line1, line2);
        char caption[kCaptionBytes];
        std::snprintf(caption, sizeof caption, "%s:%s", kXtraName, title);
        instance.hostBridge->ShowMessage(caption, body);
    }
    self->ExecutionFlow("InformUserOfErrorUsingDialog", "Exit", kReportLevel);
    return kMoaErr_NoErr;
}

void SetEngineCallback(ScriptInstance& instance, void* userData, StatusCallback callback) {
    if (instance.audioDevice == nullptr) {
        return;
    }
    if (instance.engineReportDepth > 0) {
        instance.audioDevice->status.SetCallback(userData, callback);
    } else {
        instance.audioDevice->SetStatusCallback(userData, callback);
    }
}

void HoldRoutingInterface(ScriptInstance& instance, ScriptInterface* routing) {
    if (routing != nullptr) {
        routing->AddRef();
    }
    if (instance.routingInterface != nullptr) {
        instance.routingInterface->Release();
    }
    instance.routingInterface = routing;
}

void ForwardInternalError(void* userData, const char* message, int32_t code) {
    static_cast<ScriptInterface*>(userData)->SendInternalErrorToDirector(message, code);
}

}  // namespace script
