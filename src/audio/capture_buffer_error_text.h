#pragma once

#include <cstddef>

#include "platform/windows_api.h"

// "Could not create capture buffer:" and the text of DirectSound's refusal,
// or the "Some other" form for a code without a text of its own.
void FormatCaptureBufferError(HRESULT result, char* out, std::size_t capacity);
