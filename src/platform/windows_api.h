// The one seam between the Xtra and Windows. The win32 build sees only the
// real Windows, multimedia and DirectSound headers; the native build sees
// our layer with the same names, types and observable results.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <dsound.h>
#else
#include "platform/win32_layer.h"
#include "platform/dsound_layer.h"
#endif
