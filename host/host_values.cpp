#include "host_values.h"

namespace marlowhost {

MoaMmValue HostValues::List(std::vector<MoaMmValue> elements) {
    MoaMmValue list = store_.MakeList();
    for (MoaMmValue& element : elements) {
        store_.Append(list, element);
        store_.Release(element);
    }
    return list;
}

MoaMmValue HostValues::PropList(std::vector<std::pair<std::string, MoaMmValue>> properties) {
    MoaMmValue list = store_.MakePropList();
    for (auto& [name, value] : properties) {
        MoaMmValue key = Symbol(name);
        store_.AppendProperty(list, key, value);
        store_.Release(key);
        store_.Release(value);
    }
    return list;
}

std::optional<MoaLong> HostValues::IntOf(const MoaMmValue& value) const {
    MoaLong number = 0;
    if (!store_.Integer(value, &number)) {
        return std::nullopt;
    }
    return number;
}

std::optional<double> HostValues::FloatOf(const MoaMmValue& value) const {
    double number = 0.0;
    if (!store_.Float(value, &number)) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::string> HostValues::StringOf(const MoaMmValue& value) const {
    const std::string* text = store_.String(value);
    if (text == nullptr) {
        return std::nullopt;
    }
    return *text;
}

std::optional<std::string> HostValues::SymbolOf(const MoaMmValue& value) const {
    MoaMmSymbol symbol = 0;
    std::string name;
    if (!store_.Symbol(value, &symbol) || !store_.SymbolName(symbol, &name)) {
        return std::nullopt;
    }
    return name;
}

int HostValues::Count(const MoaMmValue& list) const {
    const std::vector<MoaMmValue>* elements = store_.Elements(list);
    return elements == nullptr ? -1 : static_cast<int>(elements->size());
}

MoaMmValue HostValues::At(const MoaMmValue& list, int position) const {
    const std::vector<MoaMmValue>* elements = store_.Elements(list);
    if (elements == nullptr || position < 1 || position > static_cast<int>(elements->size())) {
        return ValueStore::Void();
    }
    return (*elements)[static_cast<size_t>(position) - 1];
}

MoaMmValue HostValues::Property(const MoaMmValue& propList, const std::string& name) const {
    MoaMmValue found = ValueStore::Void();
    if (store_.FindProperty(propList, store_.Intern(name), &found) != kMoaErr_NoErr) {
        return ValueStore::Void();
    }
    return found;
}

std::string HostValues::PropertyName(const MoaMmValue& propList, int position) const {
    const std::vector<MoaMmValue>* keys = store_.Keys(propList);
    if (keys == nullptr || position < 1 || position > static_cast<int>(keys->size())) {
        return std::string();
    }
    return SymbolOf((*keys)[static_cast<size_t>(position) - 1]).value_or(std::string());
}

void HostValues::Release(MoaMmValue* value) {
    store_.Release(*value);
    *value = ValueStore::Void();
}

}  // namespace marlowhost
