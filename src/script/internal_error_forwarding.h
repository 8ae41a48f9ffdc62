// The failure callback that routes engine failures to the movie.
#pragma once

#include <cstdint>

namespace script {

// userData is the instance's script interface; the failure goes on to its
// SendInternalErrorToDirector.
void ForwardInternalError(void* userData, const char* message, int32_t code);

}  // namespace script
