#pragma once
#include "moa/imoa_unknown.h"

// {ACC7E2B8-000A-B4D0-0000-080007160DC3}
inline constexpr MoaInterfaceID IID_IMoaAppInfo = {0xACC7E2B8, 0x000A, 0xB4D0, {0x00, 0x00, 0x08, 0x00, 0x07, 0x16, 0x0D, 0xC3}};

// The keys GetInfo answers; any of them may answer kMoaErr_NoSuchKey.
enum MoaAppInfoKey : MoaLong {
    kMoaAppInfo_SerialNumber = 0,
    kMoaAppInfo_RunMode = 1,
    kMoaAppInfo_UserName = 2,
    kMoaAppInfo_OrganizationName = 3,
    kMoaAppInfo_AppFileSpec = 4,
    kMoaAppInfo_ProductName = 5,
    kMoaAppInfo_ProductVersion = 6,
    kMoaAppInfo_ProductBuildVersion = 7,
    kMoaAppInfo_UILanguage = 8,
    kMoaAppInfo_OSLanguage = 9,
};

struct IMoaAppInfo : IMoaUnknown {
    // Copies the NUL-terminated answer into buffer; kMoaErr_BadParam when it
    // does not fit.
    virtual MoaError MOA_STDCALL GetInfo(MoaLong desiredInfo, char* buffer, MoaLong bufferLength) = 0;
};
