#include "operators.h"

#include <cmath>
#include <cstdint>

#include "script_error.h"
#include "value_compare.h"
#include "value_display.h"

namespace lingo {

namespace {

// Integer arithmetic wraps around at 32 bits, as Director's does.
int32_t Wrap(int64_t number) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(number))); }

int32_t RoundToInteger(double number) {
    double rounded = std::round(number);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return INT32_MIN;
    return static_cast<int32_t>(rounded);
}

void RequireNumbers(const std::string& op, const Value& left, const Value& right, int line) {
    const Value& wrong = left.IsNumber() ? right : left;
    if (!wrong.IsNumber()) {
        throw ScriptError(line, "Script error: " + op + " needs numbers, not " + DisplayForm(wrong));
    }
}

Value Arithmetic(const std::string& op, const Value& left, const Value& right, int line) {
    RequireNumbers(op, left, right, line);
    bool integers = left.Kind() == ValueKind::Integer && right.Kind() == ValueKind::Integer;
    if (op == "mod") {
        int64_t a = integers ? left.AsInteger() : RoundToInteger(left.AsFloat());
        int64_t b = integers ? right.AsInteger() : RoundToInteger(right.AsFloat());
        if (b == 0) throw ScriptError(line, "Script error: mod by zero");
        return Value::Integer(Wrap(a % b));
    }
    if (integers) {
        int64_t a = left.AsInteger();
        int64_t b = right.AsInteger();
        if (op == "+") return Value::Integer(Wrap(a + b));
        if (op == "-") return Value::Integer(Wrap(a - b));
        if (op == "*") return Value::Integer(Wrap(a * b));
        if (b == 0) throw ScriptError(line, "Script error: division by zero");
        return Value::Integer(Wrap(a / b));
    }
    double a = left.AsFloat();
    double b = right.AsFloat();
    if (op == "+") return Value::Float(a + b);
    if (op == "-") return Value::Float(a - b);
    if (op == "*") return Value::Float(a * b);
    if (b == 0.0) throw ScriptError(line, "Script error: division by zero");
    return Value::Float(a / b);
}

Value Concatenate(const std::string& op, const Value& left, const Value& right, int line) {
    std::string text = StringForm(left);
    if (op == "&&") text += ' ';
    text += StringForm(right);
    if (text.size() > kLongestText) {
        throw ScriptError(line, "Script error: text longer than " + std::to_string(kLongestText) + " characters");
    }
    return Value::String(std::move(text));
}

}  // namespace

Value ApplyBinary(const std::string& op, const Value& left, const Value& right, int line) {
    if (op == "+" || op == "-" || op == "*" || op == "/" || op == "mod") return Arithmetic(op, left, right, line);
    if (op == "&" || op == "&&") return Concatenate(op, left, right, line);
    if (op == "=") return Truth(ValuesEqual(left, right));
    if (op == "<>") return Truth(!ValuesEqual(left, right));
    int order = CompareValues(left, right, line);
    if (op == "<") return Truth(order < 0);
    if (op == ">") return Truth(order > 0);
    if (op == "<=") return Truth(order <= 0);
    return Truth(order >= 0);
}

Value ApplyUnary(const std::string& op, const Value& operand, int line) {
    if (op == "not") return Truth(!IsTrue(operand, line));
    if (operand.Kind() == ValueKind::Integer) return Value::Integer(Wrap(-static_cast<int64_t>(operand.AsInteger())));
    if (operand.Kind() == ValueKind::Float) return Value::Float(-operand.AsFloat());
    throw ScriptError(line, "Script error: - needs a number, not " + DisplayForm(operand));
}

bool IsTrue(const Value& condition, int line) {
    switch (condition.Kind()) {
    case ValueKind::Void: return false;
    case ValueKind::Integer: return condition.AsInteger() != 0;
    case ValueKind::Float: return condition.AsFloat() != 0.0;
    default: throw ScriptError(line, "Script error: a condition must be a number, not " + DisplayForm(condition));
    }
}

}  // namespace lingo
