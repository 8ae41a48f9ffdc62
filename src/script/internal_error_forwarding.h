// The failure callback that routes engine failures to the movie.
#pragma once

#include <cstdint>

#include "diag/status_record.h"

struct ScriptInstance;
struct ScriptInterface;

namespace script {

// userData is the instance's script interface; the failure goes on to its
// SendInternalErrorToDirector.
void ForwardInternalError(void* userData, const char* message, int32_t code);

// The callback's user data must outlive the call that switched routing on:
// the instance holds a counted reference to it until routing goes off or
// the object is forgotten. Null drops the reference held.
void HoldRoutingInterface(ScriptInstance& instance, ScriptInterface* routing);

// Attaches or detaches the engine's failure callback. While the engine
// reports a failure from inside an operation, only the callback changes:
// resetting its status then would turn that operation's failure into "Ok"
// under it.
void SetEngineCallback(ScriptInstance& instance, void* userData, StatusCallback callback);

}  // namespace script
