// COM initialisation is only counted: every success, S_OK or S_FALSE, wants
// its CoUninitialize.
#include "platform/simulator/machine.h"

extern "C" {

HRESULT WINAPI CoInitialize(LPVOID pvReserved) {
    marlowsim::detail::Machine& machine = marlowsim::detail::TheMachine();
    HRESULT result = marlowsim::detail::EnterCall(marlowsim::Call::CoInitialize);
    if (result == S_OK && pvReserved) result = E_INVALIDARG;
    if (result == S_OK && machine.coInitializeAlreadyDone) result = S_FALSE;
    if (SUCCEEDED(result)) ++machine.comInitializeBalance;
    return result;
}

void WINAPI CoUninitialize(void) { --marlowsim::detail::TheMachine().comInitializeBalance; }
}
