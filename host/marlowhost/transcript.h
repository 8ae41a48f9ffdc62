// Everything marlowhost shows while a movie runs, on standard output in
// the order it happens: put lines, the level meter, message boxes and
// debugger lines. Errors go to standard error after the output so far.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace marlowhost {

class Transcript {
public:
    Transcript(std::FILE* out, std::FILE* errors);
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // One line; a RETURN inside it starts a new line.
    void Line(const std::string& text);
    // On a terminal the bar is redrawn in place; otherwise one line each.
    void Meter(int32_t left, int32_t right);
    void MessageBox(const std::string& caption, const std::string& body);
    void DebugLine(const std::string& line);
    void Error(const std::string& text);

private:
    void EndMeterLine();

    std::FILE* out_;
    std::FILE* errors_;
    bool terminal_;
    bool meterLineOpen_ = false;
};

}  // namespace marlowhost
