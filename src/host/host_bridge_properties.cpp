#include "host/host_bridge.h"

#include "host/host_width_conversions.h"
#include "moa/host_abi_choices.h"

namespace {

// The symbol value of a property name; the caller releases it.
MoaError MakeSymbolValue(IMoaMmValue* values, const char* name, MoaMmValue* out) {
    MoaMmSymbol symbol = 0;
    MoaError code = values->StringToSymbol(name, &symbol);
    if (code == kMoaErr_NoErr) {
        code = values->SymbolToValue(symbol, out);
    }
    return code;
}

// Adds name -> a value that makeValue makes for this call; both values made
// here are released before returning, whatever the host answers.
template <typename MakeValue>
MoaError AddProperty(IMoaMmValue* values, IMoaMmList* lists, MoaMmValue* propertyList, const char* name,
                     MakeValue makeValue) {
    MoaMmValue symbolValue = {};
    MoaError code = MakeSymbolValue(values, name, &symbolValue);
    if (code != kMoaErr_NoErr) {
        return code;
    }
    MoaMmValue value = {};
    code = makeValue(&value);
    if (code != kMoaErr_NoErr) {
        values->ValueRelease(&symbolValue);
        return code;
    }
    MoaMmValueType type = kMoaMmValueType_Void;
    if (values->ValueType(propertyList, &type) == kMoaErr_NoErr && type == kMoaMmValueType_Void) {
        lists->NewPropListValue(propertyList);
    }
    code = lists->AppendValueToPropList(propertyList, &symbolValue, &value);
    values->ValueRelease(&symbolValue);
    values->ValueRelease(&value);
    return code;
}

void ReleaseCopiedValue(IMoaMmValue* values, MoaMmValue* copy) {
    if (moa_choice::kCopiedValuesAreReleasedByCaller) {
        values->ValueRelease(copy);
    }
}

}  // namespace

MoaError HostBridge::AddIntegerProperty(MoaMmValue* propertyList, const char* name, int32_t value) {
    return AddProperty(value_, list_, propertyList, name,
                       [&](MoaMmValue* out) { return value_->IntegerToValue(value, out); });
}

MoaError HostBridge::AddFloatProperty(MoaMmValue* propertyList, const char* name, float value) {
    return AddProperty(value_, list_, propertyList, name,
                       [&](MoaMmValue* out) { return value_->FloatToValue(static_cast<MoaDouble>(value), out); });
}

MoaError HostBridge::AddTextProperty(MoaMmValue* propertyList, const char* name, const char* text) {
    return AddProperty(value_, list_, propertyList, name,
                       [&](MoaMmValue* out) { return value_->StringToValue(text, out); });
}

bool HostBridge::FindProperty(const MoaMmValue* propertyList, const char* name, MoaMmValue* out) {
    MoaMmValue symbolValue = {};
    MoaError code = MakeSymbolValue(value_, name, &symbolValue);
    if (code != kMoaErr_NoErr) {
        return false;
    }
    code = list_->GetValueByProperty(propertyList, &symbolValue, out);
    value_->ValueRelease(&symbolValue);
    return code == kMoaErr_NoErr;
}

bool HostBridge::GetIntegerProperty(const MoaMmValue* propertyList, const char* name, int32_t* out) {
    MoaMmValue property = {};
    if (!FindProperty(propertyList, name, &property)) {
        return false;
    }
    MoaLong integer = 0;
    const bool read = value_->ValueToInteger(&property, &integer) == kMoaErr_NoErr;
    ReleaseCopiedValue(value_, &property);
    if (read) {
        *out = integer;
    }
    return read;
}

bool HostBridge::GetFloatProperty(const MoaMmValue* propertyList, const char* name, float* out) {
    MoaMmValue property = {};
    if (!FindProperty(propertyList, name, &property)) {
        return false;
    }
    MoaDouble number = 0.0;
    const bool read = value_->ValueToFloat(&property, &number) == kMoaErr_NoErr;
    ReleaseCopiedValue(value_, &property);
    if (read) {
        *out = NarrowToFloat(number);
    }
    return read;
}

bool HostBridge::GetTextProperty(const MoaMmValue* propertyList, const char* name, char* buffer,
                                 std::size_t capacity) {
    if (capacity == 0) {
        return false;
    }
    MoaMmValue property = {};
    if (!FindProperty(propertyList, name, &property)) {
        return false;
    }
    const MoaLong hostCapacity = HostCapacity(capacity);
    const bool read = value_->ValueToString(&property, buffer, hostCapacity) == kMoaErr_NoErr;
    ReleaseCopiedValue(value_, &property);
    if (read) {
        buffer[hostCapacity - 1] = '\0';
    }
    return read;
}
