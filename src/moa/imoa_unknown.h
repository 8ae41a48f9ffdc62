#pragma once
#include "moa/moa_types.h"

// {00000000-0000-0000-C000-000000000046}
inline constexpr MoaInterfaceID IID_IMoaUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00000001-0000-0000-C000-000000000046}
inline constexpr MoaInterfaceID IID_IMoaClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IMoaUnknown {
    virtual MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) = 0;
    virtual MoaUlong MOA_STDCALL AddRef() = 0;
    virtual MoaUlong MOA_STDCALL Release() = 0;
};
