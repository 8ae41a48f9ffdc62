// Reads a movie script into its handlers. Throws ScriptError with the line
// of the first fault.
#pragma once

#include <string>

#include "ast.h"

namespace lingo {

Script ParseScript(const std::string& source);

}  // namespace lingo
