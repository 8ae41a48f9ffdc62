#pragma once
#include "moa/windows_name_clashes.h"
#include "moa/imoa_dr_cast_mem.h"

// {AC401AEC-0000-D9F8-0000-0800072C6326}
inline constexpr MoaInterfaceID IID_IMoaDrCast = {0xAC401AEC, 0x0000, 0xD9F8, {0x00, 0x00, 0x08, 0x00, 0x07, 0x2C, 0x63, 0x26}};

struct IMoaDrMovie;

struct IMoaDrCast : IMoaUnknown {
    virtual MoaError MOA_STDCALL GetProp(MoaMmSymbol property, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL SetProp(MoaMmSymbol property, const MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL GetIndexInMovie(IMoaDrMovie* movie, MoaDrCastIndex* out) = 0;
    virtual MoaError MOA_STDCALL GetFirstUsedMemberIndex(MoaDrMemberIndex* out) = 0;
    virtual MoaError MOA_STDCALL GetNextUsedMemberIndex(MoaDrMemberIndex after, MoaDrMemberIndex* out) = 0;
    virtual MoaError MOA_STDCALL GetLastUsedMemberIndex(MoaDrMemberIndex* out) = 0;
    // 0 when the cast is full.
    virtual MoaError MOA_STDCALL GetFirstFreeMemberIndex(MoaDrMemberIndex* out) = 0;
    virtual MoaError MOA_STDCALL GetNextFreeMemberIndex(MoaDrMemberIndex after, MoaDrMemberIndex* out) = 0;
    virtual MoaError MOA_STDCALL GetLastFreeMemberIndex(MoaDrMemberIndex* out) = 0;
    // Names compare without case; 0 when no member has the name.
    virtual MoaError MOA_STDCALL GetMemberIndexFromName(char* name, MoaDrMemberIndex* out) = 0;
    virtual MoaError MOA_STDCALL GetCastMem(MoaDrMemberIndex index, IMoaDrCastMem** out) = 0;
    virtual MoaError MOA_STDCALL CreateCastMem(MoaDrMemberIndex index, MoaMmSymbol typeSymbol) = 0;
    virtual MoaError MOA_STDCALL DeleteCastMem(MoaDrMemberIndex index) = 0;
    virtual MoaError MOA_STDCALL DuplicateCastMem(MoaDrMemberIndex source, IMoaDrCast* destination, MoaDrMemberIndex destinationIndex) = 0;
    virtual MoaError MOA_STDCALL Save(char* path) = 0;
};
