// The values a movie script handles: the Lingo subset of marlowhost.
// Lists and property lists are shared by reference, as in Lingo: a list
// assigned to two variables is one list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lingo {

enum class ValueKind { Void, Integer, Float, String, Symbol, List, PropList, Object, Xtra };

class Value;
using LinearList = std::vector<Value>;
using PropertyList = std::vector<std::pair<Value, Value>>;

// Something a script holds but cannot look into: an instance of an Xtra.
class ScriptObject {
public:
    virtual ~ScriptObject() = default;
    // The name in "<NAME object>", the object's display form.
    virtual std::string ClassName() const = 0;
};

class Value {
public:
    Value() = default;
    static Value Integer(int32_t number);
    static Value Float(double number);
    static Value String(std::string text);
    static Value Symbol(std::string name);
    static Value NewList(LinearList items = {});
    static Value NewPropList(PropertyList items = {});
    // Empties every list still alive. Lists that hold themselves never go
    // by counting alone; a run ends with this so that nothing is left.
    static void EmptyAllLists();
    static Value Object(std::shared_ptr<ScriptObject> object);
    static Value XtraName(std::string name);

    ValueKind Kind() const { return kind_; }
    bool IsVoid() const { return kind_ == ValueKind::Void; }
    bool IsNumber() const { return kind_ == ValueKind::Integer || kind_ == ValueKind::Float; }

    int32_t AsInteger() const { return integer_; }
    double AsFloat() const { return kind_ == ValueKind::Integer ? integer_ : float_; }
    // The text of a string, the name of a symbol or of an xtra.
    const std::string& Text() const { return text_; }
    LinearList& List() const { return *list_; }
    PropertyList& Props() const { return *props_; }
    const std::shared_ptr<ScriptObject>& ObjectRef() const { return object_; }

private:
    ValueKind kind_ = ValueKind::Void;
    int32_t integer_ = 0;
    double float_ = 0.0;
    std::string text_;
    std::shared_ptr<LinearList> list_;
    std::shared_ptr<PropertyList> props_;
    std::shared_ptr<ScriptObject> object_;
};

// Lingo's truth values: comparisons and logic give the integers 1 and 0.
inline Value Truth(bool condition) { return Value::Integer(condition ? 1 : 0); }

}  // namespace lingo
