#include "value_store.h"

#include "host_choices.h"
#include "text_fold.h"

namespace marlowhost {

namespace {
// The ty of every stored value; a value with another ty is not ours.
constexpr MoaLong kStoredValueTag = 0x4D4C5456;

bool IsVoid(const MoaMmValue& value) { return value.ty == 0 && value.it == 0; }
}  // namespace

MoaMmSymbol ValueStore::Intern(const std::string& text) {
    std::string folded = FoldCase(text);
    auto found = symbolsByFoldedName_.find(folded);
    if (found != symbolsByFoldedName_.end()) {
        return found->second;
    }
    symbolNames_.push_back(text);
    MoaMmSymbol symbol = static_cast<MoaMmSymbol>(symbolNames_.size());
    symbolsByFoldedName_.emplace(folded, symbol);
    return symbol;
}

bool ValueStore::SymbolName(MoaMmSymbol symbol, std::string* name) const {
    if (symbol < 1 || static_cast<size_t>(symbol) > symbolNames_.size()) {
        return false;
    }
    *name = symbolNames_[static_cast<size_t>(symbol) - 1];
    return true;
}

MoaMmValue ValueStore::Add(Entry entry) {
    MoaLong number = nextEntry_++;
    entries_.emplace(number, std::move(entry));
    return MoaMmValue{kStoredValueTag, number};
}

ValueStore::Entry* ValueStore::Find(const MoaMmValue& value) {
    return const_cast<Entry*>(static_cast<const ValueStore*>(this)->Find(value));
}

const ValueStore::Entry* ValueStore::Find(const MoaMmValue& value) const {
    if (IsVoid(value)) {
        return nullptr;
    }
    auto found = value.ty == kStoredValueTag ? entries_.find(value.it) : entries_.end();
    if (found == entries_.end()) {
        ++badUses_;
        return nullptr;
    }
    return &found->second;
}

MoaMmValue ValueStore::MakeInteger(MoaLong number) {
    Entry entry;
    entry.kind = ValueKind::Integer;
    entry.integer = number;
    return Add(std::move(entry));
}

MoaMmValue ValueStore::MakeFloat(double number) {
    Entry entry;
    entry.kind = ValueKind::Float;
    entry.number = number;
    return Add(std::move(entry));
}

MoaMmValue ValueStore::MakeString(const std::string& text) {
    Entry entry;
    entry.kind = ValueKind::String;
    entry.text = text;
    return Add(std::move(entry));
}

MoaMmValue ValueStore::MakeSymbol(MoaMmSymbol symbol) {
    Entry entry;
    entry.kind = ValueKind::Symbol;
    entry.integer = symbol;
    return Add(std::move(entry));
}

MoaMmValue ValueStore::MakeList() {
    Entry entry;
    entry.kind = ValueKind::List;
    return Add(std::move(entry));
}

MoaMmValue ValueStore::MakePropList() {
    Entry entry;
    entry.kind = ValueKind::PropList;
    return Add(std::move(entry));
}

MoaMmValue ValueStore::MakeObject(IMoaUnknown* object, const std::string& className) {
    Entry entry;
    entry.kind = ValueKind::Object;
    entry.object = object;
    entry.text = className;
    if (object != nullptr) {
        object->AddRef();
    }
    return Add(std::move(entry));
}

MoaError ValueStore::AddRef(const MoaMmValue& value) {
    if (IsVoid(value)) {
        return kMoaErr_NoErr;
    }
    Entry* entry = Find(value);
    if (entry == nullptr) {
        return kDeadValue;
    }
    ++entry->references;
    return kMoaErr_NoErr;
}

MoaError ValueStore::Release(const MoaMmValue& value) {
    if (IsVoid(value)) {
        return kMoaErr_NoErr;
    }
    Entry* entry = Find(value);
    if (entry == nullptr) {
        return kDeadValue;
    }
    if (--entry->references > 0) {
        return kMoaErr_NoErr;
    }
    // Take the entry out first: releasing what it holds may come back here.
    Entry gone = std::move(*entry);
    entries_.erase(value.it);
    for (const MoaMmValue& key : gone.keys) {
        Release(key);
    }
    for (const MoaMmValue& element : gone.elements) {
        Release(element);
    }
    if (gone.object != nullptr) {
        gone.object->Release();
    }
    return kMoaErr_NoErr;
}

ValueKind ValueStore::Kind(const MoaMmValue& value) const {
    const Entry* entry = Find(value);
    return entry == nullptr ? ValueKind::Void : entry->kind;
}

bool ValueStore::IsLive(const MoaMmValue& value) const {
    if (IsVoid(value) || value.ty != kStoredValueTag) {
        return false;
    }
    return entries_.count(value.it) != 0;
}

MoaMmValueType ValueStore::TypeCode(const MoaMmValue& value) const {
    switch (Kind(value)) {
        case ValueKind::Void: return kMoaMmValueType_Void;
        case ValueKind::Integer: return kMoaMmValueType_Integer;
        case ValueKind::Float: return kMoaMmValueType_Float;
        case ValueKind::String: return kMoaMmValueType_String;
        case ValueKind::Symbol: return kMoaMmValueType_Symbol;
        case ValueKind::List: return kMoaMmValueType_List;
        case ValueKind::PropList: return kMoaMmValueType_PropList;
        case ValueKind::Object: return kMoaMmValueType_Object;
    }
    return kMoaMmValueType_Other;
}

int ValueStore::ReferencesOf(const MoaMmValue& value) const {
    if (!IsLive(value)) {
        return 0;
    }
    return entries_.at(value.it).references;
}

bool ValueStore::Integer(const MoaMmValue& value, MoaLong* out) const {
    const Entry* entry = Find(value);
    if (entry == nullptr || entry->kind != ValueKind::Integer) {
        return false;
    }
    *out = entry->integer;
    return true;
}

bool ValueStore::Float(const MoaMmValue& value, double* out) const {
    const Entry* entry = Find(value);
    if (entry == nullptr || entry->kind != ValueKind::Float) {
        return false;
    }
    *out = entry->number;
    return true;
}

const std::string* ValueStore::String(const MoaMmValue& value) const {
    const Entry* entry = Find(value);
    return entry != nullptr && entry->kind == ValueKind::String ? &entry->text : nullptr;
}

bool ValueStore::Symbol(const MoaMmValue& value, MoaMmSymbol* out) const {
    const Entry* entry = Find(value);
    if (entry == nullptr || entry->kind != ValueKind::Symbol) {
        return false;
    }
    *out = entry->integer;
    return true;
}

IMoaUnknown* ValueStore::Object(const MoaMmValue& value) const {
    const Entry* entry = Find(value);
    return entry != nullptr && entry->kind == ValueKind::Object ? entry->object : nullptr;
}

const std::string* ValueStore::ObjectClassName(const MoaMmValue& value) const {
    const Entry* entry = Find(value);
    return entry != nullptr && entry->kind == ValueKind::Object ? &entry->text : nullptr;
}

const std::vector<MoaMmValue>* ValueStore::Elements(const MoaMmValue& list) const {
    const Entry* entry = Find(list);
    if (entry == nullptr || (entry->kind != ValueKind::List && entry->kind != ValueKind::PropList)) {
        return nullptr;
    }
    return &entry->elements;
}

const std::vector<MoaMmValue>* ValueStore::Keys(const MoaMmValue& propList) const {
    const Entry* entry = Find(propList);
    return entry != nullptr && entry->kind == ValueKind::PropList ? &entry->keys : nullptr;
}

MoaError ValueStore::Append(const MoaMmValue& list, const MoaMmValue& element) {
    Entry* entry = Find(list);
    if (entry == nullptr || entry->kind != ValueKind::List) {
        return entry == nullptr && !IsVoid(list) ? kDeadValue : kNotAList;
    }
    MoaError added = AddRef(element);
    if (added != kMoaErr_NoErr) {
        return added;
    }
    entry->elements.push_back(element);
    return kMoaErr_NoErr;
}

MoaError ValueStore::AppendProperty(const MoaMmValue& propList, const MoaMmValue& key, const MoaMmValue& value) {
    Entry* entry = Find(propList);
    if (entry == nullptr || entry->kind != ValueKind::PropList) {
        return entry == nullptr && !IsVoid(propList) ? kDeadValue : kNotAList;
    }
    if (Kind(key) != ValueKind::Symbol) {
        return kMoaMmErr_SymbolExpected;
    }
    MoaError added = AddRef(value);
    if (added != kMoaErr_NoErr) {
        return added;
    }
    AddRef(key);
    entry->keys.push_back(key);
    entry->elements.push_back(value);
    return kMoaErr_NoErr;
}

MoaError ValueStore::SetAt(const MoaMmValue& list, MoaLong position, const MoaMmValue& value) {
    Entry* entry = Find(list);
    if (entry == nullptr || entry->kind != ValueKind::List) {
        return entry == nullptr && !IsVoid(list) ? kDeadValue : kNotAList;
    }
    MoaLong count = static_cast<MoaLong>(entry->elements.size());
    if (position < 1 || position > count + 1) {
        return kMoaMmErr_ArgOutOfRange;
    }
    if (position == count + 1) {
        return Append(list, value);
    }
    MoaError added = AddRef(value);
    if (added != kMoaErr_NoErr) {
        return added;
    }
    MoaMmValue old = entry->elements[static_cast<size_t>(position) - 1];
    entry->elements[static_cast<size_t>(position) - 1] = value;
    Release(old);
    return kMoaErr_NoErr;
}

MoaError ValueStore::SetProperty(const MoaMmValue& propList, const MoaMmValue& key, const MoaMmValue& value) {
    MoaMmSymbol symbol = 0;
    if (!Symbol(key, &symbol)) {
        return kMoaMmErr_SymbolExpected;
    }
    const std::vector<MoaMmValue>* keys = Keys(propList);
    if (keys == nullptr) {
        return IsLive(propList) || IsVoid(propList) ? kNotAList : kDeadValue;
    }
    for (size_t i = 0; i < keys->size(); ++i) {
        MoaMmSymbol existing = 0;
        if (Symbol((*keys)[i], &existing) && existing == symbol) {
            MoaError added = AddRef(value);
            if (added != kMoaErr_NoErr) {
                return added;
            }
            Entry* entry = Find(propList);
            MoaMmValue old = entry->elements[i];
            entry->elements[i] = value;
            Release(old);
            return kMoaErr_NoErr;
        }
    }
    return AppendProperty(propList, key, value);
}

MoaError ValueStore::FindProperty(const MoaMmValue& propList, MoaMmSymbol key, MoaMmValue* borrowed) const {
    const Entry* entry = Find(propList);
    if (entry == nullptr || entry->kind != ValueKind::PropList) {
        return entry == nullptr && !IsVoid(propList) ? kDeadValue : kNotAList;
    }
    for (size_t i = 0; i < entry->keys.size(); ++i) {
        MoaMmSymbol existing = 0;
        if (Symbol(entry->keys[i], &existing) && existing == key) {
            *borrowed = entry->elements[i];
            return kMoaErr_NoErr;
        }
    }
    return kMoaMmErr_PropertyNotFound;
}

}  // namespace marlowhost
