#pragma once
#include "moa/imoa_dr_movie.h"

// {AC96CFC0-0045-6597-0000-0040105023FB}
inline constexpr MoaInterfaceID IID_IMoaDrUtils = {0xAC96CFC0, 0x0045, 0x6597, {0x00, 0x00, 0x00, 0x40, 0x10, 0x50, 0x23, 0xFB}};

struct IMoaDrUtils : IMoaUnknown {
    virtual MoaError MOA_STDCALL ValueToCMRef(const MoaMmValue* value, MoaDrCMRef* out) = 0;
    virtual MoaError MOA_STDCALL CMRefToValue(const MoaDrCMRef* ref, MoaMmValue* out) = 0;
    // Only fills the record.
    virtual MoaError MOA_STDCALL NewMediaInfo(MoaMmSymbol label, MoaMmSymbol format, void* mediaData, MoaLong options,
                                              void* aux, MoaDrMediaInfo* out) = 0;
    virtual MoaError MOA_STDCALL MediaRelease(MoaDrMediaInfo* info) = 0;
    virtual MoaError MOA_STDCALL NewScoreAccess(IMoaDrScoreAccess** out) = 0;
    virtual MoaError MOA_STDCALL RegisterNotificationClient(void* client, MoaLong type, void* refCon) = 0;
    virtual MoaError MOA_STDCALL UnregisterNotificationClient(void* client, MoaLong type, void* refCon) = 0;
};
