// Windows code page 1252 (Western European), the ANSI code page of the
// native layer: one byte per character, 0x80-0x9F holding the typographic
// characters Windows put there.
#pragma once

#include <cstdint>

namespace marlowcp {

char16_t WideOf1252(uint8_t byte);
// False when the character has no byte in code page 1252.
bool ByteOf1252(char16_t wide, uint8_t* byte);

}  // namespace marlowcp
