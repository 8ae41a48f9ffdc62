// The host's values: every value but Void is an entry with a reference
// count, so that a test can see each value the Xtra made being released.
// A MoaMmValue names an entry: it is the slot number, ty the store's tag
// with the slot's generation, so a copy kept past its release is seen as
// dead even after the slot holds another value. The all-zero value is Void
// and is not counted.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "moa/imoa_unknown.h"

namespace marlowhost {

enum class ValueKind { Void, Integer, Float, String, Symbol, List, PropList, Object };

class ValueStore {
public:
    ValueStore() = default;
    // Frees every entry left without calling into the objects they name:
    // the library behind them may be gone by then.
    ~ValueStore() = default;
    ValueStore(const ValueStore&) = delete;
    ValueStore& operator=(const ValueStore&) = delete;

    static constexpr MoaMmValue Void() { return MoaMmValue{0, 0}; }

    // Symbols compare without case; the first spelling seen is kept. Never 0.
    MoaMmSymbol Intern(const std::string& text);
    // False for a number that was never made.
    bool SymbolName(MoaMmSymbol symbol, std::string* name) const;
    bool IsSymbol(MoaMmSymbol symbol) const {
        return symbol >= 1 && static_cast<size_t>(symbol) <= symbolNames_.size();
    }

    // Each made value carries one reference, the caller's.
    MoaMmValue MakeInteger(MoaLong number);
    MoaMmValue MakeFloat(double number);
    MoaMmValue MakeString(const std::string& text);
    MoaMmValue MakeSymbol(MoaMmSymbol symbol);
    MoaMmValue MakeList();
    MoaMmValue MakePropList();
    // AddRefs the object; the last release of the value releases it.
    MoaMmValue MakeObject(IMoaUnknown* object, const std::string& className);

    // Void is accepted and ignored; a dead value answers kDeadValue.
    MoaError AddRef(const MoaMmValue& value);
    // At 0 the entry goes, releasing list elements and keys and the object.
    MoaError Release(const MoaMmValue& value);

    // A dead value reads as Void (and counts as a bad use).
    ValueKind Kind(const MoaMmValue& value) const;
    bool IsLive(const MoaMmValue& value) const;
    // The ValueType code of the kind.
    MoaMmValueType TypeCode(const MoaMmValue& value) const;
    int ReferencesOf(const MoaMmValue& value) const;

    // Readers; false (or null) when the value is not of that kind.
    bool Integer(const MoaMmValue& value, MoaLong* out) const;
    bool Float(const MoaMmValue& value, double* out) const;
    const std::string* String(const MoaMmValue& value) const;
    bool Symbol(const MoaMmValue& value, MoaMmSymbol* out) const;
    IMoaUnknown* Object(const MoaMmValue& value) const;
    const std::string* ObjectClassName(const MoaMmValue& value) const;

    // Lists. Elements and keys are borrowed: valid while the list holds them.
    const std::vector<MoaMmValue>* Elements(const MoaMmValue& list) const;
    const std::vector<MoaMmValue>* Keys(const MoaMmValue& propList) const;
    // Appends an AddRef'd copy of element (linear lists only).
    MoaError Append(const MoaMmValue& list, const MoaMmValue& element);
    // Appends AddRef'd copies of key (a symbol) and value (property lists only).
    MoaError AppendProperty(const MoaMmValue& propList, const MoaMmValue& key, const MoaMmValue& value);
    // position counts from 1; count + 1 appends (linear lists only).
    MoaError SetAt(const MoaMmValue& list, MoaLong position, const MoaMmValue& value);
    // Replaces the first property of that symbol, or appends one.
    MoaError SetProperty(const MoaMmValue& propList, const MoaMmValue& key, const MoaMmValue& value);
    // The first property of that symbol, borrowed; kMoaMmErr_PropertyNotFound when absent.
    MoaError FindProperty(const MoaMmValue& propList, MoaMmSymbol key, MoaMmValue* borrowed) const;

    // Values made and not yet released.
    int LiveValues() const { return liveValues_; }
    // Uses of dead or foreign values (a release too many, a stale copy).
    int BadUses() const { return badUses_; }

private:
    // A slot's vectors and text keep their capacity from one value to the
    // next, so that a call's answer costs no allocation once the store is warm.
    struct Entry {
        ValueKind kind = ValueKind::Void;  // Void: the slot is free
        int references = 0;
        uint16_t generation = 0;  // counts the values the slot has held
        MoaLong integer = 0;
        double number = 0.0;
        std::string text;  // string, or the class name of an object
        IMoaUnknown* object = nullptr;
        std::vector<MoaMmValue> elements;
        std::vector<MoaMmValue> keys;  // property lists: keys[i] names elements[i]
    };
    // A fresh value of that kind with one reference, and its entry.
    MoaMmValue Occupy(ValueKind kind);
    Entry& Made(const MoaMmValue& value) { return entries_[static_cast<size_t>(value.it) - 1]; }
    // Frees the slot: one generation on, back on the free list.
    void Vacate(size_t slot);
    // The live entry a value names, or null; Find counts a dead one as a bad use.
    const Entry* Lookup(const MoaMmValue& value) const;
    Entry* Find(const MoaMmValue& value);
    const Entry* Find(const MoaMmValue& value) const;

    // Slot n is entries_[n - 1]. A release that reaches into the Xtra may
    // make values and so move the entries: no entry is held across one.
    std::vector<Entry> entries_;
    std::vector<size_t> freeSlots_;
    int liveValues_ = 0;
    std::vector<std::string> symbolNames_;          // symbol n is symbolNames_[n - 1]
    std::unordered_map<std::string, MoaMmSymbol> symbolsByFoldedName_;
    mutable int badUses_ = 0;
};

}  // namespace marlowhost
