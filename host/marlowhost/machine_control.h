// simulate(...): what a movie script may tell the simulated machine while it
// runs, so that a script can have a device go away or DirectSound fail at a
// moment of its choosing (the random walk of tools/model does). Native build
// only; on Windows it is a script error.
#pragma once

#include <vector>

#include "lingo_value.h"

namespace marlowhost {

// simulate(#captureDevice, N, #present | #removed | #stalled)  (N from 1)
// simulate(#playbackDevice, #present | #removed | #stalled)
// simulate(#neverDeliver, COUNT)   the next COUNT capture objects deliver nothing
// simulate(#fault, "CALL", CODE [, ALWAYS])   DirectSound's CALL answers CODE next (or always)
// simulate(#clearFaults)
// simulate(#wideSamples, ON)   buffers take 24- and 32-bit PCM too (ON not 0), as some drivers do
// Throws lingo::ScriptError (line) for anything else.
void ControlMachine(const std::vector<lingo::Value>& arguments, int line);

}  // namespace marlowhost
