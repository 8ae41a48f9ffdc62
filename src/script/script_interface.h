// The script interface the host receives: Call first, then the class's own
// operations, which the instance calls on itself through the same table.
#pragma once

#include <cstdint>

#include "diag/status_record.h"
#include "moa/imoa_mm_xscript.h"

struct ScriptInterface : IMoaMmXScript {
    virtual MoaError MOA_STDCALL CallHandler(const char* name, int32_t count, MoaMmValue* args) = 0;
    virtual MoaError MOA_STDCALL SendInternalErrorToDirector(const char* message, int32_t code) = 0;
    virtual StatusRecord MOA_STDCALL GetDeviceList(MoaMmCallInfo* call) = 0;
    virtual MoaError MOA_STDCALL CreateNewInstance(MoaMmCallInfo* call) = 0;
    virtual MoaError MOA_STDCALL ExecutionFlow(const char* where, const char* what, int32_t level) = 0;
    virtual MoaError MOA_STDCALL InformUserOfErrorUsingDialog(const char* title, const char* line1, const char* line2,
                                                             const char* extra) = 0;
    virtual MoaError MOA_STDCALL InformUserViaCallback(const char* description, const char* help,
                                                      const char* debug) = 0;
};

// What every report names the instance by: its script interface's address.
inline int32_t InstanceId(const ScriptInterface* self) {
    return static_cast<int32_t>(reinterpret_cast<uintptr_t>(self));
}
