// The host's object header and the Xtra's entry-point signatures.
#pragma once
#include "moa/imoa_callback.h"
#include "moa/imoa_calloc.h"

// What the host puts at the start of every instance object it allocates.
// The vtable at offset 0 is the host's own IMoaUnknown.
struct MoaObjectHeader {
    void* lpVtbl;
    void* magicCookie;
    IMoaCallback* pCallback;
    IMoaCalloc* pCalloc;
    const MoaClassID* pClassID;
    MoaLong refCount;

    IMoaUnknown* AsUnknown() { return reinterpret_cast<IMoaUnknown*>(this); }
};
#if !defined(_WIN64) && (defined(_WIN32) || defined(__i386__))
static_assert(sizeof(MoaObjectHeader) == 24, "the host's object header is 24 bytes on Win32");
#endif

using MoaCreatedProc = MoaError(MOA_STDCALL*)(void* object);
using MoaDestroyedProc = void(MOA_STDCALL*)(void* object);

// One record per class and per interface, then a record of zero IDs.
struct MoaClassInterfaceInfo {
    MoaClassID classID;
    MoaLong classVersion;
    MoaInterfaceID interfaceID;
    MoaLong interfaceVersion;
};
static_assert(sizeof(MoaClassInterfaceInfo) == 40, "a class-information record is 40 bytes");

// The five exports, as the host looks them up by name.
using DllGetClassFormProc = MoaError(MOA_STDCALL*)(const MoaClassID* classID, MoaLong* objectSize,
                                                  MoaCreatedProc* create, MoaDestroyedProc* destroy);
using DllGetClassInfoProc = MoaError(MOA_STDCALL*)(IMoaCalloc* allocator, MoaClassInterfaceInfo** info);
using DllGetInterfaceProc = MoaError(MOA_STDCALL*)(void* object, const MoaClassID* classID,
                                                  const MoaInterfaceID* interfaceID, void** out);
using DllCanUnloadNowProc = MoaError(MOA_STDCALL*)();
using DllGetClassObjectProc = MoaError(MOA_STDCALL*)(const MoaClassID* classID, const MoaInterfaceID* interfaceID,
                                                    void** out);
