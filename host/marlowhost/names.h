// Lingo names, keywords and symbols are case-insensitive.
#pragma once

#include <string>

namespace lingo {

std::string LowerCase(const std::string& text);
bool SameName(const std::string& a, const std::string& b);
// -1, 0 or 1, as the texts compare without case.
int CompareWithoutCase(const std::string& a, const std::string& b);

}  // namespace lingo
