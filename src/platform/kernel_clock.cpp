// GetTickCount and Sleep: the Win32 face of the simulator clock.
#include "platform/simulator/machine.h"

extern "C" {

DWORD WINAPI GetTickCount(void) { return marlowsim::ClockMilliseconds(); }

void WINAPI Sleep(DWORD dwMilliseconds) { marlowsim::detail::WaitOnClock(dwMilliseconds); }
}
