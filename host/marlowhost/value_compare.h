// Lingo's equality and order: numbers by value whatever their kind, texts
// and symbols without case, lists item by item.
#pragma once

#include "lingo_value.h"

namespace lingo {

bool ValuesEqual(const Value& a, const Value& b);
// -1, 0 or 1 for two numbers or two strings; throws ScriptError (line)
// for values that have no order.
int CompareValues(const Value& a, const Value& b, int line);

}  // namespace lingo
