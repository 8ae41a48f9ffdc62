#include "platform/sim_machine.h"

extern "C" {

DWORD WINAPI GetTickCount(void) { return marlowsim::ClockMilliseconds(); }

void WINAPI Sleep(DWORD dwMilliseconds) { marlowsim::detail::WaitOnClock(dwMilliseconds); }
}
