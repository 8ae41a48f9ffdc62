#include "module/exports.h"

#include <type_traits>

#include "module/class_registry.h"

// The host looks the exports up by name and calls them through these types.
static_assert(std::is_same_v<decltype(&DllGetClassForm), DllGetClassFormProc>);
static_assert(std::is_same_v<decltype(&DllGetClassInfo), DllGetClassInfoProc>);
static_assert(std::is_same_v<decltype(&DllGetInterface), DllGetInterfaceProc>);
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), DllCanUnloadNowProc>);
static_assert(std::is_same_v<decltype(&DllGetClassObject), DllGetClassObjectProc>);

extern "C" {

MoaError MOA_STDCALL DllGetClassForm(const MoaClassID* classID, MoaLong* objectSize, MoaCreatedProc* create,
                                     MoaDestroyedProc* destroy) {
    return module::LookUpClassForm(classID, objectSize, create, destroy);
}

MoaError MOA_STDCALL DllGetClassInfo(IMoaCalloc* allocator, MoaClassInterfaceInfo** records) {
    return module::BuildClassInfo(allocator, records);
}

MoaError MOA_STDCALL DllGetInterface(void* object, const MoaClassID* classID, const MoaInterfaceID* interfaceID,
                                     void** out) {
    return module::MakeInterface(object, classID, interfaceID, out);
}

MoaError MOA_STDCALL DllCanUnloadNow() {
    return module::moduleLockCount == 0 ? kMoaErr_NoErr : kMoaErr_XtraInUse;
}

// The class is reached through DllGetInterface only; there are no class objects.
MoaError MOA_STDCALL DllGetClassObject(const MoaClassID*, const MoaInterfaceID*, void**) {
    return kMoaErr_BadClass;
}

}  // extern "C"
