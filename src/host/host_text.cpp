#include "host/host_text.h"

#include <cstdio>
#include <cstring>

namespace {

// The longest form of one character in any code page, UTF-8 included.
constexpr int kLongestCharacter = 4;

bool IsHighSurrogate(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(WCHAR unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void HostText::Describe(char* buffer, std::size_t capacity) const {
    if (capacity == 0) return;
    if (IsUtf8()) {
        std::snprintf(buffer, capacity, "UTF-8");
    } else {
        std::snprintf(buffer, capacity, "ANSI code page %u", static_cast<unsigned>(GetACP()));
    }
}

bool HostText::ToWide(const char* text, WideText* wide) const {
    wide->clear();
    if (text == nullptr || text[0] == '\0') return true;
    const int length = static_cast<int>(std::strlen(text));
    const int needed = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    if (needed <= 0) return false;
    wide->resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, text, length, &(*wide)[0], needed) == needed;
}

PathConversion HostText::PathToWide(const char* path, WideText* wide) const {
    wide->clear();
    // Measured in bytes first: a text the host cut may end inside a character.
    std::size_t bytes = 0;
    while (path != nullptr && bytes <= kLongestPathBytes && path[bytes] != '\0') {
        ++bytes;
    }
    if (bytes > kLongestPathBytes) {
        return PathConversion::kTooLong;
    }
    if ((path != nullptr && std::strchr(path, '?') != nullptr) || !ToWide(path, wide)) {
        wide->clear();
        return PathConversion::kBadCharacter;
    }
    if (wide->size() > kLongestPathUnits) {
        wide->clear();
        return PathConversion::kTooLong;
    }
    return PathConversion::kWhole;
}

WideText HostText::ToWideForDisplay(const char* text) const {
    WideText wide;
    if (text == nullptr || text[0] == '\0') return wide;
    const int length = static_cast<int>(std::strlen(text));
    const int needed = MultiByteToWideChar(codePage_, 0, text, length, nullptr, 0);
    if (needed <= 0) return wide;
    wide.resize(static_cast<std::size_t>(needed));
    if (MultiByteToWideChar(codePage_, 0, text, length, &wide[0], needed) != needed) wide.clear();
    return wide;
}

void HostText::FromWide(const WCHAR* wide, char* buffer, std::size_t capacity) const {
    if (capacity == 0) return;
    std::size_t used = 0;
    // One character at a time, so that the text is cut only between them.
    for (std::size_t at = 0; wide != nullptr && wide[at] != 0;) {
        const int units = IsHighSurrogate(wide[at]) && IsLowSurrogate(wide[at + 1]) ? 2 : 1;
        char piece[kLongestCharacter * 2];
        const int bytes = IsUtf8() ? WideCharToMultiByte(CP_UTF8, 0, wide + at, units, piece, sizeof piece,
                                                         nullptr, nullptr)
                                   : WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide + at, units, piece,
                                                         sizeof piece, "?", nullptr);
        if (bytes <= 0 || used + static_cast<std::size_t>(bytes) > capacity - 1) break;
        std::memcpy(buffer + used, piece, static_cast<std::size_t>(bytes));
        used += static_cast<std::size_t>(bytes);
        at += static_cast<std::size_t>(units);
    }
    buffer[used] = '\0';
}
