#include "builtins.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "names.h"
#include "script_error.h"
#include "value_compare.h"
#include "value_display.h"

namespace lingo {

namespace {

using Arguments = std::vector<Value>;

[[noreturn]] void Fail(int line, const std::string& message) { throw ScriptError(line, "Script error: " + message); }

void RequireCount(const std::string& name, const Arguments& arguments, size_t count, int line) {
    if (arguments.size() != count) {
        Fail(line, name + " needs " + std::to_string(count) + (count == 1 ? " argument" : " arguments"));
    }
}

void RequireKind(const std::string& name, const Value& value, ValueKind kind, const char* what, int line) {
    if (value.Kind() != kind) Fail(line, name + " needs " + what + ", not " + DisplayForm(value));
}

void RequireAnyList(const std::string& name, const Value& value, int line) {
    if (value.Kind() != ValueKind::List && value.Kind() != ValueKind::PropList) {
        Fail(line, name + " needs a list, not " + DisplayForm(value));
    }
}

size_t ListCount(const Value& list) {
    return list.Kind() == ValueKind::List ? list.List().size() : list.Props().size();
}

Value AtPosition(const Value& list, const Value& position, int line) {
    if (position.Kind() != ValueKind::Integer) Fail(line, "a list position must be an integer, not " + DisplayForm(position));
    int32_t index = position.AsInteger();
    if (index < 1 || static_cast<size_t>(index) > ListCount(list)) {
        Fail(line, "Index out of range: " + std::to_string(index));
    }
    size_t at = static_cast<size_t>(index - 1);
    return list.Kind() == ValueKind::List ? list.List()[at] : list.Props()[at].second;
}

const Value* FindProperty(const Value& props, const Value& property) {
    for (const auto& entry : props.Props()) {
        if (ValuesEqual(entry.first, property)) return &entry.second;
    }
    return nullptr;
}

// Text to a number as Lingo's integer() and float() read it; VOID when
// the text is no number.
Value NumberFromText(const std::string& text) {
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    double number = std::strtod(start, &end);
    if (end == start || errno == ERANGE) return Value();
    while (*end == ' ') ++end;
    if (*end != '\0') return Value();
    return Value::Float(number);
}

Value ToInteger(const Value& value) {
    Value number = value.Kind() == ValueKind::String ? NumberFromText(value.Text()) : value;
    if (number.Kind() == ValueKind::Integer) return number;
    if (number.Kind() != ValueKind::Float) return Value();
    double rounded = std::round(number.AsFloat());
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return Value();
    return Value::Integer(static_cast<int32_t>(rounded));
}

Value ToFloat(const Value& value) {
    Value number = value.Kind() == ValueKind::String ? NumberFromText(value.Text()) : value;
    if (!number.IsNumber()) return Value();
    return Value::Float(number.AsFloat());
}

Value Ilk(const Value& value) {
    switch (value.Kind()) {
    case ValueKind::Void: return Value::Symbol("void");
    case ValueKind::Integer: return Value::Symbol("integer");
    case ValueKind::Float: return Value::Symbol("float");
    case ValueKind::String: return Value::Symbol("string");
    case ValueKind::Symbol: return Value::Symbol("symbol");
    case ValueKind::List: return Value::Symbol("list");
    case ValueKind::PropList: return Value::Symbol("propList");
    case ValueKind::Object: return Value::Symbol("instance");
    case ValueKind::Xtra: return Value::Symbol("xtra");
    }
    return Value();
}

}  // namespace

bool IsBuiltin(const std::string& name) {
    static const char* const kNames[] = {"count", "getAt", "getProp", "getaProp", "add", "addProp",
                                         "string", "integer", "float", "voidP", "ilk", "length"};
    for (const char* known : kNames) {
        if (SameName(name, known)) return true;
    }
    return false;
}

Value CallBuiltin(const std::string& name, const Arguments& arguments, int line) {
    if (SameName(name, "count")) {
        RequireCount(name, arguments, 1, line);
        RequireAnyList(name, arguments[0], line);
        return Value::Integer(static_cast<int32_t>(ListCount(arguments[0])));
    }
    if (SameName(name, "getAt")) {
        RequireCount(name, arguments, 2, line);
        RequireAnyList(name, arguments[0], line);
        return AtPosition(arguments[0], arguments[1], line);
    }
    if (SameName(name, "getProp") || SameName(name, "getaProp")) {
        RequireCount(name, arguments, 2, line);
        if (SameName(name, "getaProp") && arguments[0].Kind() == ValueKind::List) {
            const Value& position = arguments[1];
            if (position.Kind() != ValueKind::Integer || position.AsInteger() < 1 ||
                static_cast<size_t>(position.AsInteger()) > arguments[0].List().size()) {
                return Value();
            }
            return arguments[0].List()[static_cast<size_t>(position.AsInteger() - 1)];
        }
        RequireKind(name, arguments[0], ValueKind::PropList, "a property list", line);
        const Value* found = FindProperty(arguments[0], arguments[1]);
        if (found) return *found;
        if (SameName(name, "getaProp")) return Value();
        Fail(line, "Property not found: " + DisplayForm(arguments[1]));
    }
    if (SameName(name, "add")) {
        RequireCount(name, arguments, 2, line);
        RequireKind(name, arguments[0], ValueKind::List, "a linear list", line);
        arguments[0].List().push_back(arguments[1]);
        return Value();
    }
    if (SameName(name, "addProp")) {
        RequireCount(name, arguments, 3, line);
        RequireKind(name, arguments[0], ValueKind::PropList, "a property list", line);
        arguments[0].Props().emplace_back(arguments[1], arguments[2]);
        return Value();
    }
    RequireCount(name, arguments, 1, line);
    const Value& value = arguments[0];
    if (SameName(name, "string")) return Value::String(StringForm(value));
    if (SameName(name, "integer")) return ToInteger(value);
    if (SameName(name, "float")) return ToFloat(value);
    if (SameName(name, "voidP")) return Truth(value.IsVoid());
    if (SameName(name, "ilk")) return Ilk(value);
    RequireKind(name, value, ValueKind::String, "a string", line);
    return Value::Integer(static_cast<int32_t>(value.Text().size()));
}

Value IndexValue(const Value& list, const Value& index, int line) {
    if (list.Kind() == ValueKind::PropList && index.Kind() != ValueKind::Integer) {
        const Value* found = FindProperty(list, index);
        if (!found) Fail(line, "Property not found: " + DisplayForm(index));
        return *found;
    }
    if (list.Kind() != ValueKind::List && list.Kind() != ValueKind::PropList) {
        Fail(line, "only a list can be indexed, not " + DisplayForm(list));
    }
    return AtPosition(list, index, line);
}

}  // namespace lingo
