#include "value_service.h"

#include <string>

#include "diag/bounded_text.h"
#include "host_choices.h"

namespace marlowhost {

MoaError MOA_STDCALL ValueService::StringToSymbol(const char* text, MoaMmSymbol* out) {
    if (text == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = store_.Intern(text);
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::SymbolToString(MoaMmSymbol symbol, char* buffer, MoaLong bufferLength) {
    std::string name;
    if (buffer == nullptr || bufferLength <= 0 || !store_.SymbolName(symbol, &name)) {
        return kMoaErr_BadParam;
    }
    CopyBounded(buffer, static_cast<size_t>(bufferLength), name.c_str());
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::ValueType(const MoaMmValue* value, MoaMmValueType* out) {
    if (value == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = store_.TypeCode(*value);
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::ValueAddRef(MoaMmValue* value) {
    return value == nullptr ? kMoaErr_BadParam : store_.AddRef(*value);
}

MoaError MOA_STDCALL ValueService::ValueRelease(MoaMmValue* value) {
    return value == nullptr ? kMoaErr_BadParam : store_.Release(*value);
}

MoaError MOA_STDCALL ValueService::ValueToInteger(const MoaMmValue* value, MoaLong* out) {
    if (value == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    return store_.Integer(*value, out) ? kMoaErr_NoErr : kMoaMmErr_IntegerExpected;
}

MoaError MOA_STDCALL ValueService::ValueToSymbol(const MoaMmValue* value, MoaMmSymbol* out) {
    if (value == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    return store_.Symbol(*value, out) ? kMoaErr_NoErr : kMoaMmErr_SymbolExpected;
}

MoaError MOA_STDCALL ValueService::ValueToFloat(const MoaMmValue* value, MoaDouble* out) {
    if (value == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    MoaLong integer = 0;
    if (store_.Integer(*value, &integer)) {
        *out = integer;
        return kMoaErr_NoErr;
    }
    return store_.Float(*value, out) ? kMoaErr_NoErr : kMoaMmErr_FloatExpected;
}

MoaError MOA_STDCALL ValueService::ValueStringLength(const MoaMmValue* value, MoaLong* out) {
    if (value == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    const std::string* text = store_.String(*value);
    if (text == nullptr) {
        return kMoaMmErr_StringExpected;
    }
    *out = static_cast<MoaLong>(text->size());
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::ValueToString(const MoaMmValue* value, char* buffer, MoaLong capacity) {
    if (value == nullptr || buffer == nullptr || capacity <= 0) {
        return kMoaErr_BadParam;
    }
    const std::string* text = store_.String(*value);
    if (text == nullptr) {
        return kMoaMmErr_StringExpected;
    }
    CopyBounded(buffer, static_cast<size_t>(capacity), text->c_str());
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::ValueToStringPtr(const MoaMmValue* value, const char** out) {
    if (value == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    const std::string* text = store_.String(*value);
    if (text == nullptr) {
        return kMoaMmErr_StringExpected;
    }
    *out = text->c_str();
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::ValueReleaseStringPtr(const MoaMmValue* value) {
    return value == nullptr ? kMoaErr_BadParam : kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::ValueToPoint(const MoaMmValue*, MoaPoint*) { return kNotImplemented; }

MoaError MOA_STDCALL ValueService::ValueToRect(const MoaMmValue*, MoaRect*) { return kNotImplemented; }

MoaError MOA_STDCALL ValueService::IntegerToValue(MoaLong integer, MoaMmValue* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = store_.MakeInteger(integer);
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::SymbolToValue(MoaMmSymbol symbol, MoaMmValue* out) {
    if (out == nullptr || !store_.IsSymbol(symbol)) {
        return kMoaErr_BadParam;
    }
    *out = store_.MakeSymbol(symbol);
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::FloatToValue(MoaDouble number, MoaMmValue* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = store_.MakeFloat(number);
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::StringToValue(const char* text, MoaMmValue* out) {
    if (text == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = store_.MakeString(text);
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ValueService::StringHandleToValue(void*, MoaMmValue*) { return kNotImplemented; }

MoaError MOA_STDCALL ValueService::PointToValue(const MoaPoint*, MoaMmValue*) { return kNotImplemented; }

MoaError MOA_STDCALL ValueService::RectToValue(const MoaRect*, MoaMmValue*) { return kNotImplemented; }

}  // namespace marlowhost
