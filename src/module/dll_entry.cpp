// The library's process and thread entry point. Everything the Xtra keeps
// process-wide is set up statically, so it only answers success.
#include "platform/windows_api.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
