#include "audio/guid_text.h"

#include <cctype>
#include <cstring>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Writes the bytes as hex digits, most significant first: reversed for the
// little-endian fields of the record, in order for the last eight bytes.
char* PutHex(char* out, const uint8_t* bytes, int count, bool littleEndian) {
    for (int i = 0; i < count; ++i) {
        const uint8_t byte = bytes[littleEndian ? count - 1 - i : i];
        *out++ = kHexDigits[byte >> 4];
        *out++ = kHexDigits[byte & 0x0F];
    }
    return out;
}

}  // namespace

void FormatGuidText(const uint8_t guid[16], char out[37]) {
    char* at = PutHex(out, guid, 4, true);
    *at++ = '-';
    at = PutHex(at, guid + 4, 2, true);
    *at++ = '-';
    at = PutHex(at, guid + 6, 2, true);
    *at++ = '-';
    at = PutHex(at, guid + 8, 2, false);
    *at++ = '-';
    at = PutHex(at, guid + 10, 6, false);
    *at = '\0';
}

bool IsGuidTextOf(const char* text, const uint8_t guid[16]) {
    if (text == nullptr) {
        return false;
    }
    std::size_t length = std::strlen(text);
    const bool braced = length == 38 && text[0] == '{' && text[37] == '}';
    if (braced) {
        ++text;
        length -= 2;
    }
    if (length != 36) {
        return false;
    }
    char formatted[37];
    FormatGuidText(guid, formatted);
    for (std::size_t i = 0; i < 36; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != formatted[i]) {
            return false;
        }
    }
    return true;
}
