#pragma once
#include "moa/imoa_unknown.h"

// {151A5780-32BD-11D0-8151-00AA005F3C08}
inline constexpr MoaInterfaceID IID_IMoaMmValue = {0x151A5780, 0x32BD, 0x11D0, {0x81, 0x51, 0x00, 0xAA, 0x00, 0x5F, 0x3C, 0x08}};

struct MoaPoint { MoaLong y, x; };
struct MoaRect { MoaLong top, left, bottom, right; };

struct IMoaMmValue : IMoaUnknown {
    virtual MoaError MOA_STDCALL StringToSymbol(const char* text, MoaMmSymbol* out) = 0;
    virtual MoaError MOA_STDCALL SymbolToString(MoaMmSymbol symbol, char* buffer, MoaLong bufferLength) = 0;
    virtual MoaError MOA_STDCALL ValueType(const MoaMmValue* value, MoaMmValueType* out) = 0;
    virtual MoaError MOA_STDCALL ValueAddRef(MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL ValueRelease(MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL ValueToInteger(const MoaMmValue* value, MoaLong* out) = 0;
    virtual MoaError MOA_STDCALL ValueToSymbol(const MoaMmValue* value, MoaMmSymbol* out) = 0;
    virtual MoaError MOA_STDCALL ValueToFloat(const MoaMmValue* value, MoaDouble* out) = 0;
    virtual MoaError MOA_STDCALL ValueStringLength(const MoaMmValue* value, MoaLong* out) = 0;
    virtual MoaError MOA_STDCALL ValueToString(const MoaMmValue* value, char* buffer, MoaLong capacity) = 0;
    virtual MoaError MOA_STDCALL ValueToStringPtr(const MoaMmValue* value, const char** out) = 0;
    virtual MoaError MOA_STDCALL ValueReleaseStringPtr(const MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL ValueToPoint(const MoaMmValue* value, MoaPoint* out) = 0;
    virtual MoaError MOA_STDCALL ValueToRect(const MoaMmValue* value, MoaRect* out) = 0;
    virtual MoaError MOA_STDCALL IntegerToValue(MoaLong integer, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL SymbolToValue(MoaMmSymbol symbol, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL FloatToValue(MoaDouble number, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL StringToValue(const char* text, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL StringHandleToValue(void* handle, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL PointToValue(const MoaPoint* point, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL RectToValue(const MoaRect* rect, MoaMmValue* out) = 0;
};
