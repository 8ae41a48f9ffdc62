// The points the host's headers leave open, decided once, here.
#pragma once
#include "moa/moa_types.h"

namespace moa_choice {

// Positions in host lists count from 1.
inline constexpr MoaLong kFirstListPosition = 1;

// The data handed with the idle notification registration: a pointer to a
// 32-bit integer holding 100. The host gives it no meaning we rely on.
inline constexpr MoaLong kIdleNotifyData = 100;

// Values copied out of lists (GetValueByIndex, GetValueByProperty) are
// counted for the caller and released by it.
inline constexpr bool kCopiedValuesAreReleasedByCaller = true;

// The handler-call context comes from QueryInterface on the active movie.
// (See imoa_dr_movie_context.h.)

// A missing movie handler answers kMoaDrErr_HandlerNotDefined; callers ignore it.
inline constexpr MoaError kMissingHandlerAnswer = kMoaDrErr_HandlerNotDefined;

// The entry dictionary's msgTable put passes size 0 with a C string.
inline constexpr MoaLong kMessageTablePutSize = 0;

}  // namespace moa_choice
