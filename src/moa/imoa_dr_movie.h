#pragma once
#include "moa/windows_name_clashes.h"
#include "moa/imoa_dr_cast.h"
#include "moa/imoa_mm_value.h"

// {AC401B61-0000-F576-0000-0800072C6326}
inline constexpr MoaInterfaceID IID_IMoaDrMovie = {0xAC401B61, 0x0000, 0xF576, {0x00, 0x00, 0x08, 0x00, 0x07, 0x2C, 0x63, 0x26}};

struct MoaDrCMRef {
    MoaDrCastIndex movieCastIndex;
    MoaDrMemberIndex memberIndex;
};

struct IMoaMmGC;

// The slot map of IMoaDrMovie (not IMoaDrMovie2, whose later slots differ).
struct IMoaDrMovie : IMoaUnknown {
    virtual MoaError MOA_STDCALL GetProp(MoaMmSymbol property, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL SetProp(MoaMmSymbol property, const MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL GetMedia(MoaDrMediaInfo* info) = 0;
    virtual MoaError MOA_STDCALL SetMedia(MoaDrMediaInfo* info) = 0;
    virtual MoaError MOA_STDCALL AttachMedia(MoaDrMediaInfo* info) = 0;
    virtual MoaError MOA_STDCALL CallHandler(MoaMmSymbol name, MoaLong nargs, MoaMmValue* args, MoaMmValue* result) = 0;
    virtual MoaError MOA_STDCALL GetCastCount(MoaLong* out) = 0;
    // Cast libraries count from 1.
    virtual MoaError MOA_STDCALL GetNthCast(MoaDrCastIndex index, IMoaDrCast** out) = 0;
    virtual MoaError MOA_STDCALL GetCastFromName(char* name, IMoaDrCast** out) = 0;
    virtual MoaError MOA_STDCALL GetCastIndexFromName(char* name, MoaDrCastIndex* out) = 0;
    virtual MoaError MOA_STDCALL NewCast(char* name, MoaBoolParam external, MoaDrCastIndex* out) = 0;
    virtual MoaError MOA_STDCALL AddExternalCast(char* name, char* path, MoaDrCastIndex* out) = 0;
    virtual MoaError MOA_STDCALL RemoveCast(MoaDrCastIndex index) = 0;
    virtual MoaError MOA_STDCALL GetCMRefFromMemberName(char* name, MoaDrCMRef* out) = 0;
    virtual MoaError MOA_STDCALL GetCastMemFromCMRef(MoaDrCMRef* ref, IMoaDrCastMem** out) = 0;
    virtual MoaError MOA_STDCALL UpdateStageRect(MoaRect* window, MoaRect* buffer) = 0;
    virtual MoaError MOA_STDCALL GetStageWindowGC(IMoaMmGC** out) = 0;
    virtual MoaError MOA_STDCALL GetStageBufferGC(IMoaMmGC** out) = 0;
    virtual MoaError MOA_STDCALL GetFrameIndexFromLabel(char* label, MoaLong* out) = 0;
    virtual MoaError MOA_STDCALL GetFrameLabelFromIndex(MoaLong frame, char* buffer, MoaLong maxLength) = 0;
    virtual MoaError MOA_STDCALL SetFrameLabel(MoaLong frame, char* label) = 0;
    virtual MoaError MOA_STDCALL GetScoreAccess(IMoaDrScoreAccess** out) = 0;
    virtual MoaError MOA_STDCALL Save(char* path, MoaBoolParam saveExternalCasts) = 0;
    virtual MoaError MOA_STDCALL SendSpriteMessage(MoaLong channel, MoaMmSymbol name, MoaLong nargs, MoaMmValue* args,
                                                   MoaMmValue* result, MoaBool* handled) = 0;
};
