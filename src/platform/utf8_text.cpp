#include "platform/utf8_text.h"

#include <cstdint>

namespace marlowcp {
namespace {

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

}  // namespace

bool WideOfUtf8(const std::string& utf8, std::u16string* wide) {
    wide->clear();
    size_t i = 0;
    while (i < utf8.size()) {
        const uint8_t lead = static_cast<uint8_t>(utf8[i]);
        int trailing;
        char32_t code;
        char32_t smallest;
        if (lead < 0x80) {
            trailing = 0, code = lead, smallest = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            trailing = 1, code = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            trailing = 2, code = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            trailing = 3, code = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        for (int k = 1; k <= trailing; ++k) {
            if (i + k >= utf8.size()) return false;
            const uint8_t next = static_cast<uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and codes past Unicode are not text.
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        AppendUtf16(code, wide);
        i += trailing + 1;
    }
    return true;
}

bool Utf8OfWide(const std::u16string& wide, std::string* utf8) {
    utf8->clear();
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t code = wide[i];
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 >= wide.size() || wide[i + 1] < 0xDC00 || wide[i + 1] > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            return false;
        }
        AppendUtf8(code, utf8);
    }
    return true;
}

}  // namespace marlowcp
