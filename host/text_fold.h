// Case-insensitive comparison as Lingo makes it for names and symbols.
#pragma once
#include <cstddef>
#include <string>

namespace marlowhost {

// Lingo folds the ASCII letters only, whatever the machine's locale.
inline char FoldChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
        c = FoldChar(c);
    }
    return folded;
}

// -1, 0 or 1, as the texts compare without case.
inline int CompareWithoutCase(const std::string& a, const std::string& b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = static_cast<unsigned char>(FoldChar(a[i]));
        const unsigned char cb = static_cast<unsigned char>(FoldChar(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

inline bool SameName(const std::string& a, const std::string& b) { return CompareWithoutCase(a, b) == 0; }

}  // namespace marlowhost
