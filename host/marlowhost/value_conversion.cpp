#include "value_conversion.h"

#include "script_error.h"
#include "value_display.h"
#include "xtra_object.h"

namespace marlowhost {

namespace {

// Lists the host gets are copies; one that holds itself has no end.
constexpr int kDeepestPassedList = 32;

MoaMmValue ToHost(ValueStore& store, const lingo::Value& value, int line, int depth) {
    if (depth > kDeepestPassedList) {
        throw lingo::ScriptError(line, "Script error: a list nested too deeply to pass to the Xtra");
    }
    switch (value.Kind()) {
    case lingo::ValueKind::Void:
    case lingo::ValueKind::Xtra: return ValueStore::Void();
    case lingo::ValueKind::Integer: return store.MakeInteger(value.AsInteger());
    case lingo::ValueKind::Float: return store.MakeFloat(value.AsFloat());
    case lingo::ValueKind::String: return store.MakeString(value.Text());
    case lingo::ValueKind::Symbol: return store.MakeSymbol(store.Intern(value.Text()));
    case lingo::ValueKind::Object: {
        const auto* object = dynamic_cast<const XtraObject*>(value.ObjectRef().get());
        if (!object) return ValueStore::Void();
        store.AddRef(object->HostValue());
        return object->HostValue();
    }
    case lingo::ValueKind::List: {
        MoaMmValue list = store.MakeList();
        for (const lingo::Value& item : value.List()) {
            MoaMmValue element = ToHost(store, item, line, depth + 1);
            store.Append(list, element);
            store.Release(element);
        }
        return list;
    }
    case lingo::ValueKind::PropList: {
        MoaMmValue list = store.MakePropList();
        for (const auto& entry : value.Props()) {
            MoaMmValue key = store.MakeSymbol(store.Intern(lingo::StringForm(entry.first)));
            MoaMmValue element = ToHost(store, entry.second, line, depth + 1);
            store.AppendProperty(list, key, element);
            store.Release(element);
            store.Release(key);
        }
        return list;
    }
    }
    return ValueStore::Void();
}

}  // namespace

MoaMmValue ToHostValue(ValueStore& store, const lingo::Value& value, int line) { return ToHost(store, value, line, 0); }

lingo::Value FromHostValue(const ValueStore& store, const MoaMmValue& value, const ObjectFinder& findObject) {
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
    case ValueKind::String: return lingo::Value::String(*store.String(value));
    case ValueKind::Symbol: {
        MoaMmSymbol symbol = 0;
        std::string name;
        store.Symbol(value, &symbol);
        store.SymbolName(symbol, &name);
        return lingo::Value::Symbol(name);
    }
    case ValueKind::List: {
        lingo::LinearList items;
        for (const MoaMmValue& element : *store.Elements(value)) items.push_back(FromHostValue(store, element, findObject));
        return lingo::Value::NewList(std::move(items));
    }
    case ValueKind::PropList: {
        lingo::PropertyList items;
        const std::vector<MoaMmValue>& keys = *store.Keys(value);
        const std::vector<MoaMmValue>& elements = *store.Elements(value);
        for (size_t i = 0; i < elements.size() && i < keys.size(); ++i) {
            items.emplace_back(FromHostValue(store, keys[i], findObject), FromHostValue(store, elements[i], findObject));
        }
        return lingo::Value::NewPropList(std::move(items));
    }
    case ValueKind::Object: return findObject(value);
    }
    return lingo::Value();
}

}  // namespace marlowhost
