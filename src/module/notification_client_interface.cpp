// The notification client: the host's idle tick drives the instance's audio
// device between Lingo calls.
#include "moa/imoa_notification.h"
#include "module/interface_object.h"
#include "module/interfaces.h"
#include "script/script_operations.h"

namespace module {
namespace {

class NotificationClientInterfaceObject final : public InterfaceObject<IMoaNotificationClient> {
public:
    using InterfaceObject::InterfaceObject;

    MoaError MOA_STDCALL Notify(const MoaNotifyID*, void*, void*) override { return script::Notify(Owner()); }
};

}  // namespace

MoaError MakeNotificationClientInterface(InstanceObject* owner, void** out) {
    return MakeInterfaceObject<NotificationClientInterfaceObject>(owner, out);
}

}  // namespace module
