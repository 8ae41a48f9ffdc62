#pragma once
#include "moa/imoa_unknown.h"

// {AC401FB6-0001-F9B0-0000-0800072C6326}
inline constexpr MoaInterfaceID IID_IMoaMmXScript = {0xAC401FB6, 0x0001, 0xF9B0, {0x00, 0x00, 0x08, 0x00, 0x07, 0x2C, 0x63, 0x26}};

struct IMoaMmXScript : IMoaUnknown {
    virtual MoaError MOA_STDCALL Call(MoaMmCallInfo* call) = 0;
};
