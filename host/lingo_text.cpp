#include <cstdio>

#include "host_values.h"

namespace marlowhost {

namespace {

std::string SymbolText(const ValueStore& store, const MoaMmValue& value) {
    MoaMmSymbol symbol = 0;
    std::string name;
    store.Symbol(value, &symbol);
    store.SymbolName(symbol, &name);
    return "#" + name;
}

std::string FloatText(double number) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", number);
    return text;
}

std::string ListText(const ValueStore& store, const MoaMmValue& list, bool withKeys) {
    const std::vector<MoaMmValue>& elements = *store.Elements(list);
    if (elements.empty()) {
        return withKeys ? "[:]" : "[]";
    }
    std::string text = "[";
    for (size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        if (withKeys) {
            text += LingoText(store, (*store.Keys(list))[i]) + ": ";
        }
        text += LingoText(store, elements[i]);
    }
    return text + "]";
}

}  // namespace

std::string LingoText(const ValueStore& store, const MoaMmValue& value) {
    switch (store.Kind(value)) {
        case ValueKind::Void:
            return "<Void>";
        case ValueKind::Integer: {
            MoaLong number = 0;
            store.Integer(value, &number);
            return std::to_string(number);
        }
        case ValueKind::Float: {
            double number = 0.0;
            store.Float(value, &number);
            return FloatText(number);
        }
        case ValueKind::String:
            return "\"" + *store.String(value) + "\"";
        case ValueKind::Symbol:
            return SymbolText(store, value);
        case ValueKind::List:
            return ListText(store, value, false);
        case ValueKind::PropList:
            return ListText(store, value, true);
        case ValueKind::Object:
            return "<" + *store.ObjectClassName(value) + " object>";
    }
    return "<Void>";
}

}  // namespace marlowhost
