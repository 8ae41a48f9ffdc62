// A host or Xtra result code as messages show it: 0x80040003.
#pragma once
#include <cstdio>
#include <string>

#include "moa/moa_types.h"

namespace marlowhost {

inline std::string ResultCodeText(MoaError code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

}  // namespace marlowhost
