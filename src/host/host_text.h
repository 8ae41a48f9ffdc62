// The encoding of every text the host hands the Xtra and takes back, and
// the one place where that text becomes Windows' UTF-16 and back.
#pragma once

#include <cstddef>
#include <string>

#include "platform/windows_api.h"

using WideText = std::basic_string<WCHAR>;

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
    // As ToWide, and also false for a "?", which an old host puts where its
    // code page has no character and which no Windows file name holds: the
    // path would name another file.
    bool PathToWide(const char* path, WideText* wide) const;
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
