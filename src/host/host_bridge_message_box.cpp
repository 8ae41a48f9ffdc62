#include "host/host_bridge.h"

StatusRecord HostBridge::ShowMessage(const char* caption, const char* text) {
    // Modal and owned by the host's parent window; which button closed it
    // does not matter.
    MessageBoxA(static_cast<HWND>(parentWindow_), text, caption, MB_OK);
    return status;
}
