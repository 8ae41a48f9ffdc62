#include "transcript.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace marlowhost {

namespace {

bool IsTerminal(std::FILE* file) {
#if defined(_WIN32)
    return _isatty(_fileno(file)) != 0;
#else
    return isatty(fileno(file)) != 0;
#endif
}

constexpr int kBarWidth = 20;
// The level of a full-scale 16-bit input.
constexpr int32_t kFullScale = 32768;

std::string Bar(int32_t level) {
    int64_t clamped = level < 0 ? 0 : (level > kFullScale ? kFullScale : level);
    int filled = static_cast<int>((clamped * kBarWidth + kFullScale / 2) / kFullScale);
    return std::string(static_cast<size_t>(filled), '#') + std::string(static_cast<size_t>(kBarWidth - filled), '.');
}

std::string WithoutTrailingLineBreaks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// Lingo's RETURN is a carriage return; on the terminal it starts a line.
std::string WithLineFeeds(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
            out += '\n';
        }
    }
    return out;
}

}  // namespace

Transcript::Transcript(std::FILE* out, std::FILE* errors)
    : out_(out), errors_(errors), terminal_(IsTerminal(out)) {}

void Transcript::EndMeterLine() {
    if (!meterLineOpen_) return;
    std::fputc('\n', out_);
    meterLineOpen_ = false;
}

void Transcript::Line(const std::string& text) {
    EndMeterLine();
    std::fprintf(out_, "%s\n", WithLineFeeds(text).c_str());
}

void Transcript::Meter(int32_t left, int32_t right) {
    char line[128];
    std::snprintf(line, sizeof line, "[meter] L %s %5d  R %s %5d", Bar(left).c_str(), static_cast<int>(left),
                  Bar(right).c_str(), static_cast<int>(right));
    if (terminal_) {
        std::fprintf(out_, "\r%s\033[K", line);
        std::fflush(out_);
        meterLineOpen_ = true;
    } else {
        std::fprintf(out_, "%s\n", line);
    }
}

void Transcript::MessageBox(const std::string& caption, const std::string& body) {
    Line("[box] " + caption + ": " + WithoutTrailingLineBreaks(body));
}

void Transcript::DebugLine(const std::string& line) { Line("[debug] " + WithoutTrailingLineBreaks(line)); }

void Transcript::Error(const std::string& text) {
    EndMeterLine();
    std::fflush(out_);
    std::fprintf(errors_, "%s\n", text.c_str());
    std::fflush(errors_);
}

}  // namespace marlowhost
