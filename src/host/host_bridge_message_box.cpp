#include "host/host_bridge.h"

StatusRecord HostBridge::ShowMessage(const char* caption, const char* text) {
    // Modal and owned by the host's parent window; which button closed it
    // does not matter.
    MessageBoxW(static_cast<HWND>(parentWindow_), Text().ToWideForDisplay(text).c_str(),
                Text().ToWideForDisplay(caption).c_str(), MB_OK);
    return status;
}
