// UTF-8 and UTF-16 of the native layer, strict both ways: what does not
// convert answers false, as MultiByteToWideChar with MB_ERR_INVALID_CHARS
// and WideCharToMultiByte of a lone surrogate would.
#pragma once

#include <string>

namespace marlowcp {

bool WideOfUtf8(const std::string& utf8, std::u16string* wide);
bool Utf8OfWide(const std::u16string& wide, std::string* utf8);

}  // namespace marlowcp
