// IMoaMmValue over the value store, converting as Director does.
#pragma once
#include "counted_service.h"
#include "moa/imoa_mm_value.h"
#include "value_store.h"

namespace marlowhost {

class ValueService : public CountedService<IMoaMmValue> {
public:
    explicit ValueService(ValueStore& store) : CountedService(IID_IMoaMmValue), store_(store) {}

    MoaError MOA_STDCALL StringToSymbol(const char* text, MoaMmSymbol* out) override;
    MoaError MOA_STDCALL SymbolToString(MoaMmSymbol symbol, char* buffer, MoaLong bufferLength) override;
    MoaError MOA_STDCALL ValueType(const MoaMmValue* value, MoaMmValueType* out) override;
    MoaError MOA_STDCALL ValueAddRef(MoaMmValue* value) override;
    MoaError MOA_STDCALL ValueRelease(MoaMmValue* value) override;
    // Integers only: kMoaMmErr_IntegerExpected otherwise.
    MoaError MOA_STDCALL ValueToInteger(const MoaMmValue* value, MoaLong* out) override;
    // Symbols only: kMoaMmErr_SymbolExpected otherwise.
    MoaError MOA_STDCALL ValueToSymbol(const MoaMmValue* value, MoaMmSymbol* out) override;
    // Floats and integers: kMoaMmErr_FloatExpected otherwise.
    MoaError MOA_STDCALL ValueToFloat(const MoaMmValue* value, MoaDouble* out) override;
    MoaError MOA_STDCALL ValueStringLength(const MoaMmValue* value, MoaLong* out) override;
    // Strings only (kMoaMmErr_StringExpected); cut to capacity - 1 characters.
    MoaError MOA_STDCALL ValueToString(const MoaMmValue* value, char* buffer, MoaLong capacity) override;
    MoaError MOA_STDCALL ValueToStringPtr(const MoaMmValue* value, const char** out) override;
    MoaError MOA_STDCALL ValueReleaseStringPtr(const MoaMmValue* value) override;
    MoaError MOA_STDCALL ValueToPoint(const MoaMmValue* value, MoaPoint* out) override;
    MoaError MOA_STDCALL ValueToRect(const MoaMmValue* value, MoaRect* out) override;
    MoaError MOA_STDCALL IntegerToValue(MoaLong integer, MoaMmValue* out) override;
    MoaError MOA_STDCALL SymbolToValue(MoaMmSymbol symbol, MoaMmValue* out) override;
    MoaError MOA_STDCALL FloatToValue(MoaDouble number, MoaMmValue* out) override;
    MoaError MOA_STDCALL StringToValue(const char* text, MoaMmValue* out) override;
    MoaError MOA_STDCALL StringHandleToValue(void* handle, MoaMmValue* out) override;
    MoaError MOA_STDCALL PointToValue(const MoaPoint* point, MoaMmValue* out) override;
    MoaError MOA_STDCALL RectToValue(const MoaRect* rect, MoaMmValue* out) override;

private:
    ValueStore& store_;
};

}  // namespace marlowhost
