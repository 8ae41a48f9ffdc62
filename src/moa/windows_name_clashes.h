// Windows' headers define GetProp and SetProp as macros for their window
// properties, which would rename the host's methods of those names. They
// are taken in first, so that no later include brings the macros back.
#pragma once

#include "platform/windows_api.h"

#undef GetProp
#undef SetProp
