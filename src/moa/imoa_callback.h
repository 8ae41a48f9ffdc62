#pragma once
#include "moa/imoa_cache.h"

// {C00BFC80-3164-101C-9A9C-0000C0DDAA4B}
inline constexpr MoaInterfaceID IID_IMoaCallback = {0xC00BFC80, 0x3164, 0x101C, {0x9A, 0x9C, 0x00, 0x00, 0xC0, 0xDD, 0xAA, 0x4B}};

// The host's service provider: QueryInterface with a service's IID gives
// that service (released by the caller when done).
struct IMoaCallback : IMoaUnknown {
    virtual MoaError MOA_STDCALL MoaCreateInstance(const MoaClassID* classID, const MoaInterfaceID* iid, void** out) = 0;
    virtual IMoaCache* MOA_STDCALL MoaGetCache() = 0;
    virtual void* MOA_STDCALL MoaBeginUsingResources(void* fileRef, void** saveCookie) = 0;
    virtual void MOA_STDCALL MoaEndUsingResources(void* fileRef, void* saveCookie) = 0;
};
