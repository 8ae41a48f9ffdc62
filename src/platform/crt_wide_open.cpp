// The C runtime's _wfopen: the name and mode arrive in UTF-16 and reach
// fopen in UTF-8.
#include <string>

#include "platform/utf8_text.h"
#include "platform/win32_layer.h"

extern "C" std::FILE* _wfopen(const WCHAR* filename, const WCHAR* mode) {
    if (filename == nullptr || mode == nullptr) return nullptr;
    std::string name;
    std::string narrowMode;
    if (!marlowcp::Utf8OfWide(marlowcp::WideOfTerminated(filename), &name) || !marlowcp::Utf8OfWide(marlowcp::WideOfTerminated(mode), &narrowMode))
        return nullptr;
    return std::fopen(name.c_str(), narrowMode.c_str());
}
