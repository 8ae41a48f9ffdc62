// Creation, new, forget and the idle notification of a script instance.
#include <new>

#include "audio/direct_sound_audio_device.h"
#include "diag/bounded_text.h"
#include "host/host_bridge.h"
#include "host/host_text_choice.h"
#include "moa/host_abi_choices.h"
#include "script/instance_entry.h"
#include "script/internal_error_forwarding.h"
#include "script/method_behaviours.h"
#include "script/script_operations.h"

namespace script {
namespace {

constexpr int32_t kLifecycleLevel = 50;
constexpr int32_t kInitialThreshold = 50;

// Registration and unregistration pass the same data pointer; it must stay
// valid for as long as the host may look at it.
const void* IdleNotifyData() {
    return &moa_choice::kIdleNotifyData;
}

void Unregister(ScriptInstance& instance) {
    if (instance.notificationClient == nullptr) {
        return;
    }
    IMoaNotification* notification =
        instance.hostBridge != nullptr ? instance.hostBridge->NotificationService() : nullptr;
    if (notification != nullptr) {
        notification->UnregisterNotificationClient(instance.notificationClient, &NID_DrNIdle, IdleNotifyData());
    }
    instance.notificationClient->Release();
    instance.notificationClient = nullptr;
}

}  // namespace

MoaError MOA_STDCALL CreateInstance(void* object) {
    InstanceObject* instanceObject = static_cast<InstanceObject*>(object);
    ScriptInstance* instance = new (&instanceObject->instance) ScriptInstance{};
    instance->showErrorDialogs = true;
    instance->hostBridge = new (std::nothrow) HostBridge(instanceObject->header.pCallback);
    if (instance->hostBridge == nullptr) {
        return kMoaErr_OutOfMem;
    }
    CopyBounded(instance->internalErrorHandler, "Marlowtide_InternalError");
    CopyBounded(instance->errorHandler, "Marlowtide_XtraError");
    CopyBounded(instance->flowHandler, "Marlowtide_XtraFlow");
    const HostTextChoice hostText = ChooseHostText(instanceObject->header.pCallback);
    instance->hostText = hostText.text;
    instance->hostBridge->UseHostText(hostText);
    instance->hostBridge->SetLogPath("c:\\Marlowtide_XtraLog.txt");
    instance->status.Reset();
    instance->notificationClient = nullptr;
    instance->traceEnabled = false;
    instance->logToFile = false;
    instance->audioDevice = nullptr;
    instance->traceThreshold = kInitialThreshold;
    instance->activeEntries = 0;
    instance->teardownPending = false;
    instance->routingInterface = nullptr;
    instance->engineReportDepth = 0;
    return kMoaErr_NoErr;
}

// The host also frees objects that never received forget, such as the one
// it makes only to call Register: give back what forget would have.
void MOA_STDCALL DestroyInstance(void* object) {
    ScriptInstance& instance = static_cast<InstanceObject*>(object)->instance;
    if (instance.audioDevice != nullptr) {
        instance.audioDevice->SetStatusCallback(nullptr, nullptr);
        delete instance.audioDevice;
        instance.audioDevice = nullptr;
    }
    if (instance.hostBridge != nullptr) {
        instance.hostBridge->Detach();
        delete instance.hostBridge;
        instance.hostBridge = nullptr;
    }
}

int32_t InstanceObjectSize() {
    return static_cast<int32_t>(sizeof(InstanceObject));
}

MoaError CreateNewInstance(ScriptInterface* self, InstanceObject* object, MoaMmCallInfo*) {
    ScriptInstance& instance = object->instance;
    self->ExecutionFlow("CreateNewInstance", "Enter", kLifecycleLevel);
    HWND owner = static_cast<HWND>(instance.hostBridge->ParentWindow());
    instance.audioDevice = new (std::nothrow) DirectSoundAudioDevice(owner, instance.hostText);
    self->ExecutionFlow("CreateNewInstance", "Created Windows object", kLifecycleLevel);
    self->ExecutionFlow("CreateNewInstance", "Exit", kLifecycleLevel);
    return kMoaErr_NoErr;
}

void NewMethod(const MethodCall& method) {
    ScriptInstance& instance = method.instance();
    // A second new on a live object would lose its device and registration.
    if (instance.audioDevice != nullptr || instance.notificationClient != nullptr) {
        return;
    }
    method.self->CreateNewInstance(method.call);
    method.object->header.AsUnknown()->QueryInterface(&IID_IMoaNotificationClient,
                                                      reinterpret_cast<void**>(&instance.notificationClient));
    IMoaNotification* notification = method.bridge().NotificationService();
    if (instance.notificationClient != nullptr && notification != nullptr) {
        notification->RegisterNotificationClient(instance.notificationClient, &NID_DrNIdle, IdleNotifyData(),
                                                 method.object);
    }
}

void ForgetMethod(const MethodCall& method) {
    ScriptInstance& instance = method.instance();
    Unregister(instance);
    if (instance.logToFile) {
        instance.hostBridge->CloseLog();
        instance.logToFile = false;
    }
    // A copy of the device's record may carry the forwarding callback.
    instance.status.SetCallback(nullptr, nullptr);
    HoldRoutingInterface(instance, nullptr);
    if (instance.audioDevice == nullptr) {
        return;
    }
    SetEngineCallback(instance, nullptr, nullptr);
    // Asked for from inside a movie handler: the code that called the
    // handler still uses the device and the bridge.
    if (instance.activeEntries > 1) {
        instance.teardownPending = true;
        return;
    }
    FinishForget(instance);
}

void FinishForget(ScriptInstance& instance) {
    delete instance.audioDevice;
    instance.audioDevice = nullptr;
    instance.hostBridge->Detach();
    delete instance.hostBridge;
    instance.hostBridge = nullptr;
    instance.teardownPending = false;
}

MoaError Notify(InstanceObject* object) {
    InstanceEntry entry(object->instance);
    AudioDevice* device = object->instance.audioDevice;
    // Not while the engine reports a failure from inside an operation.
    if (device != nullptr && !IsSpent(object->instance) && object->instance.engineReportDepth == 0) {
        device->ResetStatus();
        device->PollState();
    }
    return kMoaErr_NoErr;
}

}  // namespace script
