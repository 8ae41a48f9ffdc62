#pragma once
#include "moa/imoa_unknown.h"

// {D9088161-32BF-11D0-8151-00AA005F3C08}
inline constexpr MoaInterfaceID IID_IMoaMmWndWin = {0xD9088161, 0x32BF, 0x11D0, {0x81, 0x51, 0x00, 0xAA, 0x00, 0x5F, 0x3C, 0x08}};

struct IMoaMmWndWin : IMoaUnknown {
    virtual MoaLong MOA_STDCALL WinDialogBox(void* cookie, const char* dialogTemplate, void* dialogProc) = 0;
    // The first output is the host's instance handle, the second its parent window.
    virtual MoaError MOA_STDCALL WinGetParent(MoaMmHInst* instance, MoaMmHWnd* window) = 0;
    virtual MoaLong MOA_STDCALL WinDialogBoxParam(void* cookie, const char* dialogTemplate, void* dialogProc, MoaLong param) = 0;
    virtual MoaError MOA_STDCALL WinPrepareDialogBox(void** cookie) = 0;
    virtual MoaError MOA_STDCALL WinUnprepareDialogBox(void* cookie) = 0;
};
