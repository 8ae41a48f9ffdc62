#pragma once

#include <cstdint>

// The 16 bytes of a Windows GUID record as 8-4-4-4-12 upper-case hex digits,
// without braces; out receives 36 characters and the terminator.
void FormatGuidText(const uint8_t guid[16], char out[37]);

// Whether text is that GUID in that form, in either case, with or without
// the braces Windows' own GUID texts carry.
bool IsGuidTextOf(const char* text, const uint8_t guid[16]);
