// The built-in functions that need nothing but their arguments: count,
// getAt, getProp, getaProp, add, addProp, string, integer, float, voidP,
// ilk, length.
#pragma once

#include <string>
#include <vector>

#include "lingo_value.h"

namespace lingo {

bool IsBuiltin(const std::string& name);
// Throws ScriptError (line) for wrong arguments.
Value CallBuiltin(const std::string& name, const std::vector<Value>& arguments, int line);
// list[index]: a position in either kind of list, or a property.
Value IndexValue(const Value& list, const Value& index, int line);

}  // namespace lingo
