#include "director_text.h"

#include <cctype>

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/code_page_1252.h"
#include "platform/utf8_text.h"
#endif

namespace marlowhost {

namespace {

constexpr int kFirstUtf8Director = 11;

#if defined(_WIN32)

bool WideOf(UINT codePage, DWORD flags, const std::string& text, std::wstring* wide) {
    wide->clear();
    if (text.empty()) return true;
    int length = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return false;
    wide->resize(static_cast<size_t>(length));
    return MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &(*wide)[0], length) ==
           length;
}

bool BytesOf(UINT codePage, DWORD flags, const std::wstring& wide, std::string* text) {
    text->clear();
    if (wide.empty()) return true;
    // CP_UTF8 takes neither a default character nor best-fit flags.
    const bool ansi = codePage == CP_ACP;
    const char* defaultChar = ansi ? "?" : nullptr;
    int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     defaultChar, nullptr);
    if (length <= 0) return false;
    text->resize(static_cast<size_t>(length));
    return WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), &(*text)[0], length,
                               defaultChar, nullptr) == length;
}

bool AnsiOfUtf8(const std::string& utf8, std::string* ansi) {
    std::wstring wide;
    return WideOf(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, &wide) && BytesOf(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, ansi);
}

bool Utf8OfAnsi(const std::string& ansi, std::string* utf8) {
    std::wstring wide;
    return WideOf(CP_ACP, 0, ansi, &wide) && BytesOf(CP_UTF8, 0, wide, utf8);
}

bool IsUtf8(const std::string& text) {
    std::wstring wide;
    return WideOf(CP_UTF8, MB_ERR_INVALID_CHARS, text, &wide);
}

#else

bool AnsiOfUtf8(const std::string& utf8, std::string* ansi) {
    std::u16string wide;
    if (!marlowcp::WideOfUtf8(utf8, &wide)) return false;
    ansi->clear();
    // Unit by unit, as Windows converts to a one-byte code page: a character
    // beyond the 16-bit plane, a surrogate pair, becomes "??".
    for (char16_t unit : wide) {
        uint8_t byte = '?';
        if (!marlowcp::ByteOf1252(unit, &byte)) byte = '?';
        ansi->push_back(static_cast<char>(byte));
    }
    return true;
}

bool Utf8OfAnsi(const std::string& ansi, std::string* utf8) {
    std::u16string wide;
    for (char c : ansi) wide.push_back(marlowcp::WideOf1252(static_cast<uint8_t>(c)));
    return marlowcp::Utf8OfWide(wide, utf8);
}

bool IsUtf8(const std::string& text) {
    std::u16string wide;
    return marlowcp::WideOfUtf8(text, &wide);
}

#endif

}  // namespace

HostEncoding DirectorText::EncodingOfVersion(const std::string& version) {
    int major = 0;
    for (char c : version) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || major >= kFirstUtf8Director) break;
        major = major * 10 + (c - '0');
    }
    return major >= kFirstUtf8Director ? HostEncoding::Utf8 : HostEncoding::AnsiCodePage;
}

bool DirectorText::ToHost(const std::string& utf8, std::string* hostText) const {
    if (encoding_ == HostEncoding::AnsiCodePage) return AnsiOfUtf8(utf8, hostText);
    if (!IsUtf8(utf8)) return false;
    *hostText = utf8;
    return true;
}

bool DirectorText::FromHost(const std::string& hostText, std::string* utf8) const {
    if (encoding_ == HostEncoding::AnsiCodePage) return Utf8OfAnsi(hostText, utf8);
    if (!IsUtf8(hostText)) return false;
    *utf8 = hostText;
    return true;
}

}  // namespace marlowhost
