#include "names.h"

#include <cctype>

namespace lingo {

namespace {
unsigned char Lower(char c) { return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c))); }
}  // namespace

std::string LowerCase(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(Lower(c));
    return lower;
}

bool SameName(const std::string& a, const std::string& b) { return CompareWithoutCase(a, b) == 0; }

int CompareWithoutCase(const std::string& a, const std::string& b) {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        unsigned char ca = Lower(a[i]);
        unsigned char cb = Lower(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace lingo
