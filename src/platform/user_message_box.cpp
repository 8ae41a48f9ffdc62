// A message box that never waits for a user: it is recorded, and shown on
// stderr unless someone else takes it. Its texts are kept in UTF-8.
#include <cstdio>

#include "platform/simulator/machine.h"
#include "platform/utf8_text.h"

namespace {

std::string Utf8OrEmpty(LPCWSTR text) {
    std::string utf8;
    return marlowcp::Utf8OfWide(marlowcp::WideOfTerminated(text), &utf8) ? utf8 : std::string();
}

}  // namespace

extern "C" {

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    marlowsim::detail::Machine& machine = marlowsim::detail::TheMachine();
    // Windows captions a box without caption "Error".
    marlowsim::MessageBoxRecord record{hWnd, lpCaption ? Utf8OrEmpty(lpCaption) : "Error", Utf8OrEmpty(lpText),
                                       uType};
    machine.messageBoxes.push_back(record);
    if (machine.messageBoxSink)
        machine.messageBoxSink(record);
    else
        std::fprintf(stderr, "[box] %s: %s\n", record.caption.c_str(), record.body.c_str());
    return IDOK;
}
}
