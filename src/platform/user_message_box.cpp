// A message box that never waits for a user: it is recorded, and shown on
// stderr unless someone else takes it.
#include <cstdio>

#include "platform/simulator/machine.h"

extern "C" {

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    marlowsim::detail::Machine& machine = marlowsim::detail::TheMachine();
    // Windows captions a box without caption "Error".
    marlowsim::MessageBoxRecord record{hWnd, lpCaption ? lpCaption : "Error", lpText ? lpText : "",
                                       uType};
    machine.messageBoxes.push_back(record);
    if (machine.messageBoxSink)
        machine.messageBoxSink(record);
    else
        std::fprintf(stderr, "[box] %s: %s\n", record.caption.c_str(), record.body.c_str());
    return IDOK;
}
}
