// IMoaRegister: tells the host's registry the method table and that the
// Xtra may run inside Shockwave.
#include "diag/bounded_text.h"
#include "moa/host_abi_choices.h"
#include "moa/imoa_mm_xscript.h"
#include "moa/imoa_register.h"
#include "module/interface_object.h"
#include "module/interfaces.h"
#include "module/registration_text.h"

namespace module {
namespace {

// Room for the banner and the whole method table with its terminator.
constexpr MoaUlong kRegistrationTextBytes = 2089;

class RegistrationInterfaceObject final : public InterfaceObject<IMoaRegister> {
public:
    using InterfaceObject::InterfaceObject;

    MoaError MOA_STDCALL Register(IMoaCache* cache, IMoaDict* xtraDict) override {
        // The cache keeps the entry dictionary; it is not ours to release.
        IMoaDict* entry = nullptr;
        MoaError result = cache->AddRegistryEntry(xtraDict, &kMarlowtideClassID, &IID_IMoaMmXScript, &entry);
        if (result != kMoaErr_NoErr) {
            return result;
        }
        const char* banner = VersionBanner();

        IMoaCalloc* allocator = Owner()->header.pCalloc;
        auto* text = static_cast<char*>(allocator->NRAlloc(kRegistrationTextBytes));
        if (text == nullptr) {
            return kMoaErr_OutOfMem;
        }
        CopyBounded(text, kRegistrationTextBytes, banner);
        AppendBounded(text, kRegistrationTextBytes, MethodTableText());

        result = entry->Put(kMoaDictType_CString, text, moa_choice::kMessageTablePutSize, kMoaMmDictKey_MessageTable);
        if (result == kMoaErr_NoErr) {
            const MoaBool safeForShockwave = 1;
            result = entry->Put(kMoaDictType_Bool, &safeForShockwave, sizeof safeForShockwave,
                                kMoaMmDictKey_SafeForShockwave);
        }
        // The dictionary has taken its own copy.
        allocator->NRFree(text);
        return result;
    }
};

}  // namespace

MoaError MakeRegistrationInterface(InstanceObject* owner, void** out) {
    return MakeInterfaceObject<RegistrationInterfaceObject>(owner, out);
}

}  // namespace module
