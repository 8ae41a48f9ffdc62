// Making and reading host values in tests and in the interpreter, and the
// text Lingo shows for a value.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "value_store.h"

namespace marlowhost {

// As Lingo's put shows it: 5, 11.0250, "Ok", #Left, <Void>, [1, 2],
// [#Left: 0, #Error: "Ok"], [:], [], <Marlowtide object>.
std::string LingoText(const ValueStore& store, const MoaMmValue& value);

class HostValues {
public:
    explicit HostValues(ValueStore& store) : store_(store) {}

    // Each made value carries one reference, the caller's.
    MoaMmValue Int(MoaLong number) { return store_.MakeInteger(number); }
    MoaMmValue Float(double number) { return store_.MakeFloat(number); }
    MoaMmValue String(const std::string& text) { return store_.MakeString(text); }
    MoaMmValue Symbol(const std::string& name) { return store_.MakeSymbol(store_.Intern(name)); }
    // The list takes over the caller's reference of each element.
    MoaMmValue List(std::vector<MoaMmValue> elements);
    // The property list takes over the caller's reference of each value.
    MoaMmValue PropList(std::vector<std::pair<std::string, MoaMmValue>> properties);

    MoaMmValueType TypeOf(const MoaMmValue& value) const { return store_.TypeCode(value); }
    std::optional<MoaLong> IntOf(const MoaMmValue& value) const;
    std::optional<double> FloatOf(const MoaMmValue& value) const;     // floats only
    std::optional<std::string> StringOf(const MoaMmValue& value) const;
    std::optional<std::string> SymbolOf(const MoaMmValue& value) const;  // its name
    // -1 for a value that is no list.
    int Count(const MoaMmValue& list) const;
    // Borrowed (not counted); Void outside 1..Count.
    MoaMmValue At(const MoaMmValue& list, int position) const;
    // Borrowed; Void when the property list has no such property.
    MoaMmValue Property(const MoaMmValue& propList, const std::string& name) const;
    // Borrowed name of the property at position (from 1), empty when none.
    std::string PropertyName(const MoaMmValue& propList, int position) const;

    std::string LingoText(const MoaMmValue& value) const { return marlowhost::LingoText(store_, value); }

    // Releases the caller's reference and leaves Void behind.
    void Release(MoaMmValue* value);
    int LiveValues() const { return store_.LiveValues(); }
    int BadUses() const { return store_.BadUses(); }
    ValueStore& Store() { return store_; }

private:
    ValueStore& store_;
};

}  // namespace marlowhost
