// A fault in a movie script, found while reading it or while running it.
// marlowhost prints it as "SCRIPT:LINE: message".
#pragma once

#include <stdexcept>
#include <string>

namespace lingo {

class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

}  // namespace lingo
