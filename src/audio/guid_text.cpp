#include "audio/guid_text.h"

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
