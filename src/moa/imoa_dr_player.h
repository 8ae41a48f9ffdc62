#pragma once
#include "moa/windows_name_clashes.h"
#include "moa/imoa_dr_movie.h"

// {AC401B78-0000-FA7D-0000-0800072C6326}
inline constexpr MoaInterfaceID IID_IMoaDrPlayer = {0xAC401B78, 0x0000, 0xFA7D, {0x00, 0x00, 0x08, 0x00, 0x07, 0x2C, 0x63, 0x26}};

struct IMoaDrPlayer : IMoaUnknown {
    virtual MoaError MOA_STDCALL GetProp(MoaMmSymbol property, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL SetProp(MoaMmSymbol property, const MoaMmValue* value) = 0;
    // Calls a handler of the active movie; result may be null.
    virtual MoaError MOA_STDCALL CallHandler(MoaMmSymbol name, MoaLong nargs, MoaMmValue* args, MoaMmValue* result) = 0;
    virtual MoaError MOA_STDCALL GetActiveMovie(IMoaDrMovie** out) = 0;
    virtual MoaError MOA_STDCALL GetMovieCount(MoaLong* out) = 0;
    virtual MoaError MOA_STDCALL GetNthMovie(MoaLong index, IMoaDrMovie** out) = 0;
    virtual MoaError MOA_STDCALL ResolveFileName(const char* in, char* out, MoaLong maxLength) = 0;
    virtual MoaError MOA_STDCALL GetCastMemTypeCount(MoaLong* out) = 0;
    virtual MoaError MOA_STDCALL GetNthCastMemTypeSymbol(MoaLong index, MoaMmSymbol* out) = 0;
    virtual MoaError MOA_STDCALL GetCastMemTypeDisplayName(MoaMmSymbol type, char* buffer, MoaLong maxLength) = 0;
    virtual MoaError MOA_STDCALL GetGlobalVarValue(MoaMmSymbol name, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL SetGlobalVarValue(MoaMmSymbol name, MoaMmValue* value) = 0;
};
