#include "platform/simulator/machine.h"

extern "C" {

void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    if (!lpOutputString) return;
    marlowsim::detail::Machine& machine = marlowsim::detail::TheMachine();
    machine.debugOutput.emplace_back(lpOutputString);
    if (machine.debugOutputSink) machine.debugOutputSink(lpOutputString);
}
}
