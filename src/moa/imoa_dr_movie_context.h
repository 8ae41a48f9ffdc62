#pragma once
#include "moa/imoa_unknown.h"

// {99CD6DF0-49E8-11D2-A66D-00A0C9E73736}; asked of the active movie.
inline constexpr MoaInterfaceID IID_IMoaDrMovieContext = {0x99CD6DF0, 0x49E8, 0x11D2, {0xA6, 0x6D, 0x00, 0xA0, 0xC9, 0xE7, 0x37, 0x36}};

struct IMoaDrMovieContext : IMoaUnknown {
    virtual MoaError MOA_STDCALL PushXtraContext(DrContextState* state) = 0;
    virtual MoaError MOA_STDCALL PopXtraContext(DrContextState* state) = 0;
    virtual MoaError MOA_STDCALL ReleaseExclusiveThread(DrContextState* state) = 0;
    virtual MoaError MOA_STDCALL ReacquireExclusiveThread(DrContextState* state) = 0;
};
