// The five functions through which the host finds and uses the class.
#pragma once

#include "moa/moa_object.h"

// The objects are built with hidden visibility; on Windows the .def file
// names the exports instead.
#if defined(_WIN32)
#define MARLOWTIDE_EXPORT
#else
#define MARLOWTIDE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

MARLOWTIDE_EXPORT MoaError MOA_STDCALL DllGetClassForm(const MoaClassID* classID, MoaLong* objectSize,
                                                       MoaCreatedProc* create, MoaDestroyedProc* destroy);
MARLOWTIDE_EXPORT MoaError MOA_STDCALL DllGetClassInfo(IMoaCalloc* allocator, MoaClassInterfaceInfo** records);
MARLOWTIDE_EXPORT MoaError MOA_STDCALL DllGetInterface(void* object, const MoaClassID* classID,
                                                       const MoaInterfaceID* interfaceID, void** out);
MARLOWTIDE_EXPORT MoaError MOA_STDCALL DllCanUnloadNow();
MARLOWTIDE_EXPORT MoaError MOA_STDCALL DllGetClassObject(const MoaClassID* classID,
                                                         const MoaInterfaceID* interfaceID, void** out);

}  // extern "C"
