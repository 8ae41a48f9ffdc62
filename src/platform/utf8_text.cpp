#include "platform/utf8_text.h"

#include <cstdint>

namespace marlowcp {

std::size_t DecodeUtf8(const char* bytes, std::size_t count, char32_t* code) {
    if (count == 0) return 0;
    const uint8_t lead = static_cast<uint8_t>(bytes[0]);
    std::size_t length;
    char32_t value;
    char32_t smallest;
    if (lead < 0x80) {
        *code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1Fu, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0Fu, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07u, smallest = 0x10000;
    } else {
        return 0;
    }
    if (count < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const uint8_t next = static_cast<uint8_t>(bytes[k]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates and codes past Unicode are not text.
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    *code = value;
    return length;
}

void AppendUtf16(char32_t code, std::u16string* wide) {
    if (code < 0x10000) {
        wide->push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    wide->push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    wide->push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

void AppendUtf8(char32_t code, std::string* utf8) {
    if (code < 0x80) {
        utf8->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        utf8->push_back(static_cast<char>(0xC0 | (code >> 6)));
        utf8->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        utf8->push_back(static_cast<char>(0xE0 | (code >> 12)));
        utf8->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        utf8->push_back(static_cast<char>(0xF0 | (code >> 18)));
        utf8->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::u16string WideOfTerminated(const char16_t* text) {
    std::u16string wide;
    while (text != nullptr && *text != 0) wide.push_back(*text++);
    return wide;
}

bool WideOfUtf8(const std::string& utf8, std::u16string* wide) {
    wide->clear();
    std::size_t at = 0;
    while (at < utf8.size()) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8.data() + at, utf8.size() - at, &code);
        if (length == 0) return false;
        AppendUtf16(code, wide);
        at += length;
    }
    return true;
}

bool Utf8OfWide(const std::u16string& wide, std::string* utf8) {
    utf8->clear();
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t code = wide[i];
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 >= wide.size() || wide[i + 1] < 0xDC00 || wide[i + 1] > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (wide[i + 1] - 0xDC00u);
            ++i;
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            return false;
        }
        AppendUtf8(code, utf8);
    }
    return true;
}

}  // namespace marlowcp
