#include "value_store.h"

#include "host_choices.h"
#include "text_fold.h"

namespace marlowhost {

namespace {
// The high half of every stored value's ty; the low half is the generation
// of its slot. A value with another high half is not ours.
constexpr uint32_t kStoredValueTag = 0x4D4C0000u;
constexpr uint32_t kTagMask = 0xFFFF0000u;

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
    if (!IsSymbol(symbol)) {
        return false;
    }
    *name = symbolNames_[static_cast<size_t>(symbol) - 1];
    return true;
}

MoaMmValue ValueStore::Occupy(ValueKind kind) {
    size_t slot = 0;
    if (freeSlots_.empty()) {
        entries_.emplace_back();
        slot = entries_.size();
    } else {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    }
    Entry& entry = entries_[slot - 1];
    entry.kind = kind;
    entry.references = 1;
    ++liveValues_;
    return MoaMmValue{static_cast<MoaLong>(kStoredValueTag | entry.generation), static_cast<MoaLong>(slot)};
}

void ValueStore::Vacate(size_t slot) {
    Entry& entry = entries_[slot - 1];
    entry.kind = ValueKind::Void;
    entry.references = 0;
    ++entry.generation;
    entry.integer = 0;
    entry.number = 0.0;
    entry.text.clear();
    entry.object = nullptr;
    entry.elements.clear();
    entry.keys.clear();
    freeSlots_.push_back(slot);
    --liveValues_;
}

const ValueStore::Entry* ValueStore::Lookup(const MoaMmValue& value) const {
    const uint32_t ty = static_cast<uint32_t>(value.ty);
    const size_t slot = static_cast<size_t>(static_cast<uint32_t>(value.it));
    if ((ty & kTagMask) != kStoredValueTag || slot < 1 || slot > entries_.size()) {
        return nullptr;
    }
    const Entry& entry = entries_[slot - 1];
    return entry.kind != ValueKind::Void && entry.generation == (ty & ~kTagMask) ? &entry : nullptr;
}

ValueStore::Entry* ValueStore::Find(const MoaMmValue& value) {
    return const_cast<Entry*>(static_cast<const ValueStore*>(this)->Find(value));
}

const ValueStore::Entry* ValueStore::Find(const MoaMmValue& value) const {
    if (IsVoid(value)) {
        return nullptr;
    }
    const Entry* entry = Lookup(value);
    if (entry == nullptr) {
        ++badUses_;
    }
    return entry;
}

MoaMmValue ValueStore::MakeInteger(MoaLong number) {
    const MoaMmValue value = Occupy(ValueKind::Integer);
    Made(value).integer = number;
    return value;
}

MoaMmValue ValueStore::MakeFloat(double number) {
    const MoaMmValue value = Occupy(ValueKind::Float);
    Made(value).number = number;
    return value;
}

MoaMmValue ValueStore::MakeString(const std::string& text) {
    const MoaMmValue value = Occupy(ValueKind::String);
    Made(value).text = text;
    return value;
}

MoaMmValue ValueStore::MakeSymbol(MoaMmSymbol symbol) {
    const MoaMmValue value = Occupy(ValueKind::Symbol);
    Made(value).integer = symbol;
    return value;
}

MoaMmValue ValueStore::MakeList() { return Occupy(ValueKind::List); }

MoaMmValue ValueStore::MakePropList() { return Occupy(ValueKind::PropList); }

MoaMmValue ValueStore::MakeObject(IMoaUnknown* object, const std::string& className) {
    const MoaMmValue value = Occupy(ValueKind::Object);
    Entry& entry = Made(value);
    entry.object = object;
    entry.text = className;
    if (object != nullptr) {
        object->AddRef();
    }
    return value;
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
    const size_t slot = static_cast<size_t>(static_cast<uint32_t>(value.it));
    if (entry->elements.empty() && entry->keys.empty() && entry->object == nullptr) {
        Vacate(slot);
        return kMoaErr_NoErr;
    }
    // Empty the slot first: releasing what it held may come back here.
    std::vector<MoaMmValue> keys;
    std::vector<MoaMmValue> elements;
    keys.swap(entry->keys);
    elements.swap(entry->elements);
    IMoaUnknown* object = entry->object;
    Vacate(slot);
    for (const MoaMmValue& key : keys) {
        Release(key);
    }
    for (const MoaMmValue& element : elements) {
        Release(element);
    }
    if (object != nullptr) {
        object->Release();
    }
    // The emptied vectors go back to the slot for its next list, unless a
    // nested release has already given it another one.
    keys.clear();
    elements.clear();
    Entry& vacated = entries_[slot - 1];
    if (vacated.keys.capacity() == 0) {
        vacated.keys.swap(keys);
    }
    if (vacated.elements.capacity() == 0) {
        vacated.elements.swap(elements);
    }
    return kMoaErr_NoErr;
}

ValueKind ValueStore::Kind(const MoaMmValue& value) const {
    const Entry* entry = Find(value);
    return entry == nullptr ? ValueKind::Void : entry->kind;
}

bool ValueStore::IsLive(const MoaMmValue& value) const {
    return Lookup(value) != nullptr;
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
    const Entry* entry = Lookup(value);
    return entry == nullptr ? 0 : entry->references;
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
