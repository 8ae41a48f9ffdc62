#pragma once
#include "moa/imoa_cache.h"

// {AC3E7803-0002-8FE5-0000-080007160DC3}
inline constexpr MoaInterfaceID IID_IMoaRegister = {0xAC3E7803, 0x0002, 0x8FE5, {0x00, 0x00, 0x08, 0x00, 0x07, 0x16, 0x0D, 0xC3}};

struct IMoaRegister : IMoaUnknown {
    virtual MoaError MOA_STDCALL Register(IMoaCache* cache, IMoaDict* xtraDict) = 0;
};
