#include <chrono>
#include <thread>

#include "platform/simulator/machine.h"

namespace marlowsim {
namespace {

struct Clock {
    ClockMode mode = ClockMode::Real;
    uint64_t manualMs = 0;
};

Clock& TheClock() {
    static Clock clock;
    return clock;
}

uint64_t RealMilliseconds() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

namespace detail {

uint64_t ClockNow() {
    const Clock& clock = TheClock();
    return clock.mode == ClockMode::Manual ? clock.manualMs : RealMilliseconds();
}

void ResetClock() { TheClock() = Clock{}; }

// On the manual clock a wait is only time passing; tests stay fast and exact.
void WaitOnClock(uint32_t milliseconds) {
    Clock& clock = TheClock();
    if (clock.mode == ClockMode::Manual) {
        clock.manualMs += milliseconds;
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace detail

// The manual clock takes over where the real one stood, so time never runs
// backwards for a buffer that is already capturing.
void SetClockMode(ClockMode mode) {
    Clock& clock = TheClock();
    if (mode == ClockMode::Manual && clock.mode == ClockMode::Real) clock.manualMs = RealMilliseconds();
    clock.mode = mode;
}

void AdvanceClock(uint32_t milliseconds) {
    Clock& clock = TheClock();
    if (clock.mode == ClockMode::Manual) clock.manualMs += milliseconds;
}

uint32_t ClockMilliseconds() { return static_cast<uint32_t>(detail::ClockNow()); }

}  // namespace marlowsim
