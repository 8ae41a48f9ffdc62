// UTF-8 and UTF-16 of the native layer. The whole-text forms are strict:
// what does not convert answers false, as MultiByteToWideChar with
// MB_ERR_INVALID_CHARS would.
#pragma once

#include <cstddef>
#include <string>

namespace marlowcp {

// The length of the one well-formed character at bytes, with its code in
// *code; 0 when the bytes there are not UTF-8 (overlong forms and
// surrogates included).
std::size_t DecodeUtf8(const char* bytes, std::size_t count, char32_t* code);
void AppendUtf8(char32_t code, std::string* utf8);
void AppendUtf16(char32_t code, std::u16string* wide);

// A NUL-terminated UTF-16 text; empty for null.
std::u16string WideOfTerminated(const char16_t* text);

bool WideOfUtf8(const std::string& utf8, std::u16string* wide);
bool Utf8OfWide(const std::u16string& wide, std::string* utf8);

}  // namespace marlowcp
