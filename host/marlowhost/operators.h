// Lingo's operators on values (and and or, which need not evaluate their
// right side, are the evaluator's).
#pragma once

#include <string>

#include "lingo_value.h"

namespace lingo {

// Texts longer than this end the script: a loop doubling a text would
// otherwise take all memory before the step limit stops it.
constexpr size_t kLongestText = 1000000;

// op: + - * / mod & && = <> < > <= >=
Value ApplyBinary(const std::string& op, const Value& left, const Value& right, int line);
// op: - not
Value ApplyUnary(const std::string& op, const Value& operand, int line);
// A condition: a number other than 0 is true, VOID is false.
bool IsTrue(const Value& condition, int line);

}  // namespace lingo
