// FindAudioCaptureDevices: a list of one property list per capture device.
#include "audio/guid_text.h"
#include "script/method_behaviours.h"
#include "script/script_operations.h"

namespace script {

StatusRecord GetDeviceList(ScriptInterface*, InstanceObject* object, MoaMmCallInfo* call) {
    ScriptInstance& instance = object->instance;
    instance.status.Reset();
    CaptureDeviceList devices;
    instance.status = instance.audioDevice->EnumerateDevices(&devices);
    if (instance.status.failed) {
        return instance.status;
    }
    HostBridge& bridge = *instance.hostBridge;
    MoaMmValue* result = &call->resultValue;
    bridge.NewList(result);
    const int32_t count = devices.count < CaptureDeviceList::kCapacity ? devices.count : CaptureDeviceList::kCapacity;
    for (int32_t index = 0; index < count; ++index) {
        const CaptureDeviceEntry& entry = devices.entries[index];
        char guidText[37];
        FormatGuidText(entry.guid, guidText);
        MoaMmValue device = {};
        bridge.NewPropertyList(&device);
        bridge.AddTextProperty(&device, "DeviceName", entry.description);
        bridge.AddTextProperty(&device, "GUID", guidText);
        bridge.AddTextProperty(&device, "Module", entry.module);
        bridge.AppendToList(result, &device);
        bridge.Release(&device);
    }
    return instance.status;
}

void FindAudioCaptureDevicesMethod(const MethodCall& method) {
    method.self->GetDeviceList(method.call);
}

}  // namespace script
