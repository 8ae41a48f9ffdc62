// Case-insensitive comparison as Lingo makes it for names and symbols.
#pragma once
#include <cctype>
#include <string>

namespace marlowhost {

inline std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

inline bool SameName(const std::string& a, const std::string& b) { return FoldCase(a) == FoldCase(b); }

}  // namespace marlowhost
