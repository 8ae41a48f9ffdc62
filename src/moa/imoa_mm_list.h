#pragma once
#include "moa/windows_name_clashes.h"
#include "moa/imoa_unknown.h"

// {AC96CF98-0045-5C0B-0000-0040105023FB}
inline constexpr MoaInterfaceID IID_IMoaMmList = {0xAC96CF98, 0x0045, 0x5C0B, {0x00, 0x00, 0x00, 0x40, 0x10, 0x50, 0x23, 0xFB}};

struct IMoaMmList : IMoaUnknown {
    virtual MoaError MOA_STDCALL NewListValue(MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL AppendValueToList(MoaMmValue* list, MoaMmValue* element) = 0;
    // Answers the count itself, not a result code.
    virtual MoaLong MOA_STDCALL CountElements(const MoaMmValue* list) = 0;
    virtual MoaError MOA_STDCALL GetValueByIndex(const MoaMmValue* list, MoaLong index, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL SetValueByIndex(MoaMmValue* list, MoaLong index, MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL NewPropListValue(MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL AppendValueToPropList(MoaMmValue* list, MoaMmValue* propertySymbol, MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL GetValueByProperty(const MoaMmValue* list, MoaMmValue* propertySymbol, MoaMmValue* out) = 0;
    virtual MoaError MOA_STDCALL SetValueByProperty(MoaMmValue* list, MoaMmValue* propertySymbol, MoaMmValue* value) = 0;
    virtual MoaError MOA_STDCALL GetPropertyNameByIndex(const MoaMmValue* list, MoaLong index, MoaMmValue* out) = 0;
};
