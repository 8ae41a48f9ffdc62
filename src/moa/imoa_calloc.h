#pragma once
#include "moa/imoa_unknown.h"

// {3A698C20-39C3-101C-9A9F-0000C0DDAA4B}
inline constexpr MoaInterfaceID IID_IMoaCalloc = {0x3A698C20, 0x39C3, 0x101C, {0x9A, 0x9F, 0x00, 0x00, 0xC0, 0xDD, 0xAA, 0x4B}};

struct IMoaCalloc : IMoaUnknown {
    // Zero-filled block, or null when out of memory.
    virtual void* MOA_STDCALL NRAlloc(MoaUlong bytes) = 0;
    virtual void MOA_STDCALL NRFree(void* block) = 0;
};
