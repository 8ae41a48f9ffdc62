#pragma once
#include "moa/windows_name_clashes.h"
#include "moa/imoa_unknown.h"

// {AC401AB5-0000-CD03-0000-0800072C6326}
inline constexpr MoaInterfaceID IID_IMoaDrCastMem = {0xAC401AB5, 0x0000, 0xCD03, {0x00, 0x00, 0x08, 0x00, 0x07, 0x2C, 0x63, 0x26}};

struct IMoaDrScoreAccess;

struct IMoaDrCastMem : IMoaUnknown {
    virtual MoaError MOA_STDCALL GetProp(MoaMmSymbol property, MoaMmValue* out) = 0;
    // Takes a symbol, not a symbol value; the caller keeps the value.
    virtual MoaError MOA_STDCALL SetProp(MoaMmSymbol property, const MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL GetMedia(MoaDrMediaInfo* info) = 0;
    // Copies the media data; the caller keeps its block.
    virtual MoaError MOA_STDCALL SetMedia(MoaDrMediaInfo* info) = 0;
    virtual MoaError MOA_STDCALL AttachMedia(MoaDrMediaInfo* info) = 0;
    virtual MoaError MOA_STDCALL CallFunction(MoaMmSymbol name, MoaLong nargs, const MoaMmValue* args, MoaMmValue* result) = 0;
    virtual MoaError MOA_STDCALL GetMemberIndex(MoaDrMemberIndex* out) = 0;
    virtual MoaError MOA_STDCALL GetScoreAccess(IMoaDrScoreAccess** out) = 0;
    virtual MoaError MOA_STDCALL CallHandler(MoaMmSymbol name, MoaLong nargs, MoaMmValue* args, MoaMmValue* result, MoaBool* handled) = 0;
};
