// The behaviour behind the class's interfaces. The interface objects of
// src/module forward to these; self is the script interface the call came
// through (reports name the instance by it, and the instance calls its own
// operations through it).
#pragma once

#include <cstdint>

#include "diag/status_record.h"
#include "moa/moa_types.h"
#include "script/script_interface.h"

struct InstanceObject;

namespace script {

// Create and destroy procedures handed to the host by DllGetClassForm.
MoaError MOA_STDCALL CreateInstance(void* object);
void MOA_STDCALL DestroyInstance(void* object);
// The size the host allocates: its object header and the ScriptInstance.
int32_t InstanceObjectSize();

// Script interface: Call and the class's own operations.
MoaError Call(ScriptInterface* self, InstanceObject* object, MoaMmCallInfo* call);
MoaError CallHandler(InstanceObject* object, const char* name, int32_t count, MoaMmValue* args);
MoaError SendInternalErrorToDirector(ScriptInterface* self, InstanceObject* object, const char* message, int32_t code);
StatusRecord GetDeviceList(ScriptInterface* self, InstanceObject* object, MoaMmCallInfo* call);
MoaError CreateNewInstance(ScriptInterface* self, InstanceObject* object, MoaMmCallInfo* call);
MoaError ExecutionFlow(InstanceObject* object, const char* where, const char* what, int32_t level);
MoaError InformUserOfErrorUsingDialog(ScriptInterface* self, InstanceObject* object, const char* title,
                                      const char* line1, const char* line2, const char* extra);
MoaError InformUserViaCallback(ScriptInterface* self, InstanceObject* object, const char* description,
                               const char* help, const char* debug);

// Notification client: the host's idle notification.
MoaError Notify(InstanceObject* object);

}  // namespace script
