#pragma once
#include "moa/imoa_unknown.h"

// {AC41A018-0013-4760-0000-08000737AF92}
inline constexpr MoaInterfaceID IID_IMoaDict = {0xAC41A018, 0x0013, 0x4760, {0x00, 0x00, 0x08, 0x00, 0x07, 0x37, 0xAF, 0x92}};

struct IMoaDict : IMoaUnknown {
    virtual MoaError MOA_STDCALL SetSize(MoaUlong n) = 0;
    virtual MoaError MOA_STDCALL MakeDict(IMoaDict** out, const char* key) = 0;
    virtual MoaError MOA_STDCALL Get(MoaDictTypeID type, void* buffer, MoaLong bufferSize, const char* key) = 0;
    virtual MoaError MOA_STDCALL Put(MoaDictTypeID type, const void* data, MoaLong size, const char* key) = 0;
    virtual MoaError MOA_STDCALL Remove(const char* key) = 0;
    virtual MoaError MOA_STDCALL Count(MoaUlong* count) = 0;
    virtual MoaError MOA_STDCALL GetNth(MoaUlong index, MoaDictTypeID* type, MoaLong* size, const char** key) = 0;
    virtual MoaError MOA_STDCALL GetInfo(MoaDictTypeID* type, MoaLong* size, const char* key) = 0;
    virtual const char* MOA_STDCALL FindKey(const char* key) = 0;
};
