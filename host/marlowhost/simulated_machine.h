// The machine the Xtra runs on. In the native build it is the simulator of
// the platform layer: its capture devices, input signal and clock are set
// from the command line, and its message boxes and debugger output go to
// the transcript. The Windows build runs on the real machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transcript.h"

namespace marlowhost {

struct MachineOptions {
    std::string input = "sine:440:0.5";
    int devices = 1;
    // When given, one device of each name (UTF-8) instead of `devices`.
    std::vector<std::string> deviceNames;
    bool manualClock = false;
    // Which of them the command line gave.
    bool inputGiven = false;
    bool devicesGiven = false;
    bool clockGiven = false;
};

// Whether --input, --devices, --device and --clock exist in this build.
bool MachineIsSimulated();
// Checks the options and sets the machine up; false with the reason.
bool SetUpMachine(const MachineOptions& options, Transcript& transcript, std::string* error);
// How many capture devices SetUpMachine made (native build).
int SimulatedCaptureDevices();
// The clock that the Xtra sees.
int32_t MachineMilliseconds();
// Time passes for `milliseconds`: the manual clock advances, the real one is waited for.
void PassTime(int32_t milliseconds);
// The folder of the running executable, with a trailing separator.
std::string ExecutableFolder(const char* argv0);

}  // namespace marlowhost
