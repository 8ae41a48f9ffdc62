// How Lingo shows values: the display form that `put` prints, and the
// string form that `string()`, `&` and `&&` use.
#pragma once

#include <string>

#include "lingo_value.h"

namespace lingo {

// 5, 11.0250, "Ok", #Left, <Void>, [1, 2], [#a: 1], [:], <Marlowtide object>
std::string DisplayForm(const Value& value);
// As the display form, but a string is its bare text, a symbol its name
// and VOID the empty text.
std::string StringForm(const Value& value);
// Floats always with four decimals.
std::string FloatText(double number);

}  // namespace lingo
