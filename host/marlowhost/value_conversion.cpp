#include "value_conversion.h"

#include <string>

#include "script_error.h"
#include "value_display.h"
#include "xtra_object.h"

namespace marlowhost {

namespace {

// Lists the host gets are copies; one that holds itself has no end.
constexpr int kDeepestPassedList = 32;

std::string HostTextOf(const DirectorText& text, const std::string& utf8, int line) {
    std::string hostText;
    if (!text.ToHost(utf8, &hostText)) throw lingo::ScriptError(line, "Script error: the script's text is not UTF-8");
    return hostText;
}

std::string Utf8Of(const DirectorText& text, const std::string& hostText, int line) {
    std::string utf8;
    if (!text.FromHost(hostText, &utf8)) {
        throw lingo::ScriptError(line, "Script error: the Xtra answered text that is not UTF-8");
    }
    return utf8;
}

MoaMmValue ToHost(ValueStore& store, const DirectorText& text, const lingo::Value& value, int line, int depth) {
    if (depth > kDeepestPassedList) {
        throw lingo::ScriptError(line, "Script error: a list nested too deeply to pass to the Xtra");
    }
    switch (value.Kind()) {
    case lingo::ValueKind::Void:
    case lingo::ValueKind::Xtra: return ValueStore::Void();
    case lingo::ValueKind::Integer: return store.MakeInteger(value.AsInteger());
    case lingo::ValueKind::Float: return store.MakeFloat(value.AsFloat());
    case lingo::ValueKind::String: return store.MakeString(HostTextOf(text, value.Text(), line));
    case lingo::ValueKind::Symbol: return store.MakeSymbol(store.Intern(HostTextOf(text, value.Text(), line)));
    case lingo::ValueKind::Object: {
        const auto* object = dynamic_cast<const XtraObject*>(value.ObjectRef().get());
        if (!object) return ValueStore::Void();
        store.AddRef(object->HostValue());
        return object->HostValue();
    }
    case lingo::ValueKind::List: {
        MoaMmValue list = store.MakeList();
        try {
            for (const lingo::Value& item : value.List()) {
                MoaMmValue element = ToHost(store, text, item, line, depth + 1);
                store.Append(list, element);
                store.Release(element);
            }
        } catch (...) {
            store.Release(list);
            throw;
        }
        return list;
    }
    case lingo::ValueKind::PropList: {
        MoaMmValue list = store.MakePropList();
        try {
            for (const auto& entry : value.Props()) {
                std::string name = HostTextOf(text, lingo::StringForm(entry.first), line);
                MoaMmValue element = ToHost(store, text, entry.second, line, depth + 1);
                MoaMmValue key = store.MakeSymbol(store.Intern(name));
                store.AppendProperty(list, key, element);
                store.Release(element);
                store.Release(key);
            }
        } catch (...) {
            store.Release(list);
            throw;
        }
        return list;
    }
    }
    return ValueStore::Void();
}

}  // namespace

MoaMmValue ToHostValue(ValueStore& store, const DirectorText& text, const lingo::Value& value, int line) {
    return ToHost(store, text, value, line, 0);
}

lingo::Value FromHostValue(const ValueStore& store, const DirectorText& text, const MoaMmValue& value,
                           const ObjectFinder& findObject, int line) {
    switch (store.Kind(value)) {
    case ValueKind::Void: return lingo::Value();
    case ValueKind::Integer: {
        MoaLong number = 0;
        store.Integer(value, &number);
        return lingo::Value::Integer(static_cast<int32_t>(number));
    }
    case ValueKind::Float: {
        double number = 0.0;
        store.Float(value, &number);
        return lingo::Value::Float(number);
    }
    case ValueKind::String: return lingo::Value::String(Utf8Of(text, *store.String(value), line));
    case ValueKind::Symbol: {
        MoaMmSymbol symbol = 0;
        std::string name;
        store.Symbol(value, &symbol);
        store.SymbolName(symbol, &name);
        return lingo::Value::Symbol(Utf8Of(text, name, line));
    }
    case ValueKind::List: {
        lingo::LinearList items;
        for (const MoaMmValue& element : *store.Elements(value)) {
            items.push_back(FromHostValue(store, text, element, findObject, line));
        }
        return lingo::Value::NewList(std::move(items));
    }
    case ValueKind::PropList: {
        lingo::PropertyList items;
        const std::vector<MoaMmValue>& keys = *store.Keys(value);
        const std::vector<MoaMmValue>& elements = *store.Elements(value);
        for (size_t i = 0; i < elements.size() && i < keys.size(); ++i) {
            items.emplace_back(FromHostValue(store, text, keys[i], findObject, line),
                               FromHostValue(store, text, elements[i], findObject, line));
        }
        return lingo::Value::NewPropList(std::move(items));
    }
    case ValueKind::Object: return findObject(value);
    }
    return lingo::Value();
}

}  // namespace marlowhost
