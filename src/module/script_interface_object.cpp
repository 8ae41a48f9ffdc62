// The script interface: Call and the class's own operations, handed on to
// the instance's behaviour with this interface as the caller.
#include "module/interface_object.h"
#include "module/interfaces.h"
#include "script/script_interface.h"
#include "script/script_operations.h"

namespace module {
namespace {

class ScriptInterfaceObject final : public InterfaceObject<ScriptInterface> {
public:
    using InterfaceObject::InterfaceObject;

    MoaError MOA_STDCALL Call(MoaMmCallInfo* call) override { return script::Call(this, Owner(), call); }

    MoaError MOA_STDCALL CallHandler(const char* name, int32_t count, MoaMmValue* args) override {
        return script::CallHandler(Owner(), name, count, args);
    }

    MoaError MOA_STDCALL SendInternalErrorToDirector(const char* message, int32_t code) override {
        return script::SendInternalErrorToDirector(this, Owner(), message, code);
    }

    StatusRecord MOA_STDCALL GetDeviceList(MoaMmCallInfo* call) override {
        return script::GetDeviceList(this, Owner(), call);
    }

    MoaError MOA_STDCALL CreateNewInstance(MoaMmCallInfo* call) override {
        return script::CreateNewInstance(this, Owner(), call);
    }

    MoaError MOA_STDCALL ExecutionFlow(const char* where, const char* what, int32_t level) override {
        return script::ExecutionFlow(Owner(), where, what, level);
    }

    MoaError MOA_STDCALL InformUserOfErrorUsingDialog(const char* title, const char* line1, const char* line2,
                                                     const char* extra) override {
        return script::InformUserOfErrorUsingDialog(this, Owner(), title, line1, line2, extra);
    }

    MoaError MOA_STDCALL InformUserViaCallback(const char* description, const char* help,
                                              const char* debug) override {
        return script::InformUserViaCallback(this, Owner(), description, help, debug);
    }
};

}  // namespace

MoaError MakeScriptInterface(InstanceObject* owner, void** out) {
    return MakeInterfaceObject<ScriptInterfaceObject>(owner, out);
}

}  // namespace module
