// MultiByteToWideChar and WideCharToMultiByte for the two code pages the
// Xtra uses, UTF-8 and the ANSI code page (1252 here), with Windows' counts:
// a length of -1 takes the text up to and with its NUL, an output size of 0
// asks for the size needed, and an output too small answers 0.
#include <cstring>
#include <string>

#include "platform/code_page_1252.h"
#include "platform/utf8_text.h"
#include "platform/win32_layer.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsAnsi(UINT codePage) { return codePage == CP_ACP || codePage == 1252; }

size_t WideLength(LPCWSTR text) {
    size_t length = 0;
    while (text[length] != 0) ++length;
    return length;
}

// What Windows does with a result: its size when asked, else a copy when
// it fits.
template <typename Unit>
int Deliver(const std::basic_string<Unit>& result, Unit* out, int outSize) {
    const int needed = static_cast<int>(result.size());
    if (outSize == 0) return needed;
    if (out == nullptr || outSize < needed) return 0;
    std::memcpy(out, result.data(), result.size() * sizeof(Unit));
    return needed;
}

}  // namespace

extern "C" {

UINT WINAPI GetACP(void) { return 1252; }

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0) return 0;
    const size_t count = cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    std::u16string wide;
    if (IsAnsi(CodePage)) {
        for (size_t i = 0; i < count; ++i) wide.push_back(marlowcp::WideOf1252(static_cast<uint8_t>(lpMultiByteStr[i])));
    } else if (CodePage == CP_UTF8) {
        size_t at = 0;
        while (at < count) {
            char32_t code = 0;
            const size_t length = marlowcp::DecodeUtf8(lpMultiByteStr + at, count - at, &code);
            if (length == 0) {
                if (dwFlags & MB_ERR_INVALID_CHARS) return 0;
                wide.push_back(kReplacement);
                ++at;
                continue;
            }
            marlowcp::AppendUtf16(code, &wide);
            at += length;
        }
    } else {
        return 0;
    }
    return Deliver(wide, lpWideCharStr, cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                               int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0) return 0;
    const size_t count = cchWideChar < 0 ? WideLength(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    std::string bytes;
    if (IsAnsi(CodePage)) {
        const char fallback = lpDefaultChar != nullptr ? *lpDefaultChar : '?';
        bool usedDefault = false;
        for (size_t i = 0; i < count; ++i) {
            const char16_t unit = lpWideCharStr[i];
            uint8_t byte = 0;
            if (marlowcp::ByteOf1252(unit, &byte)) {
                bytes.push_back(static_cast<char>(byte));
                continue;
            }
            // A surrogate pair is one character, and one default character.
            if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && lpWideCharStr[i + 1] >= 0xDC00 &&
                lpWideCharStr[i + 1] <= 0xDFFF)
                ++i;
            bytes.push_back(fallback);
            usedDefault = true;
        }
        if (lpUsedDefaultChar != nullptr) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    } else if (CodePage == CP_UTF8) {
        // Windows refuses a default character for UTF-8.
        if (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr) return 0;
        for (size_t i = 0; i < count; ++i) {
            char32_t code = lpWideCharStr[i];
            const bool high = code >= 0xD800 && code <= 0xDBFF;
            if (high && i + 1 < count && lpWideCharStr[i + 1] >= 0xDC00 && lpWideCharStr[i + 1] <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (lpWideCharStr[i + 1] - 0xDC00u);
                ++i;
            } else if (code >= 0xD800 && code <= 0xDFFF) {
                code = kReplacement;
            }
            marlowcp::AppendUtf8(code, &bytes);
        }
    } else {
        return 0;
    }
    return Deliver(bytes, lpMultiByteStr, cbMultiByte);
}
}
