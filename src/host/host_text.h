// The encoding of every text the host hands the Xtra and takes back, and
// the one place where that text becomes Windows' UTF-16 and back.
#pragma once

#include <cstddef>
#include <string>

#include "platform/windows_api.h"

using WideText = std::basic_string<WCHAR>;

// The longest path Windows takes without a long-path prefix: MAX_PATH (260)
// less its terminator, in UTF-16 units.
inline constexpr std::size_t kLongestPathUnits = 259;
// The most bytes such a path takes in host text: three per UTF-16 unit in
// UTF-8, at most two in an ANSI code page.
inline constexpr std::size_t kLongestPathBytes = kLongestPathUnits * 3;
// A path buffer: the longest path, one byte more so that a longer text still
// reads as longer when the host cuts it to the buffer, and the terminator.
inline constexpr std::size_t kPathBufferBytes = kLongestPathBytes + 2;

// What PathToWide made of a path.
enum class PathConversion {
    kWhole,
    // A byte that is not text of the host's encoding, or a "?".
    kBadCharacter,
    // Longer than Windows takes, or cut by the host.
    kTooLong,
};

// UTF-8 (Director 11 and later) or the system's ANSI code page (Director
// 8.5 to MX 2004).
class HostText {
public:
    static HostText Utf8() { return HostText(CP_UTF8); }
    static HostText AnsiCodePage() { return HostText(CP_ACP); }

    bool IsUtf8() const { return codePage_ == CP_UTF8; }
    // "UTF-8", or "ANSI code page 1252" with the system's number.
    void Describe(char* buffer, std::size_t capacity) const;

    // False when the bytes are not text of this encoding.
    bool ToWide(const char* text, WideText* wide) const;
    // As ToWide, and also refused for a "?", which an old host puts where its
    // code page has no character and which no Windows file name holds, and
    // for a path longer than kLongestPathUnits or kLongestPathBytes: either
    // would name another file. Only a whole path fills wide.
    PathConversion PathToWide(const char* path, WideText* wide) const;
    // For what is only shown: never fails, bytes that do not convert show
    // as replacement characters.
    WideText ToWideForDisplay(const char* text) const;
    // Windows' text into host text within capacity bytes, the terminator
    // included, cut only on whole characters; a character the ANSI code
    // page cannot hold becomes "?".
    void FromWide(const WCHAR* wide, char* buffer, std::size_t capacity) const;

private:
    explicit HostText(UINT codePage) : codePage_(codePage) {}

    UINT codePage_;
};
