// Debugger output, kept in UTF-8.
#include "platform/simulator/machine.h"
#include "platform/utf8_text.h"

extern "C" {

void WINAPI OutputDebugStringW(LPCWSTR lpOutputString) {
    std::string line;
    if (!lpOutputString || !marlowcp::Utf8OfWide(marlowcp::WideOfTerminated(lpOutputString), &line)) return;
    marlowsim::detail::Machine& machine = marlowsim::detail::TheMachine();
    machine.debugOutput.push_back(line);
    if (machine.debugOutputSink) machine.debugOutputSink(line.c_str());
}
}
