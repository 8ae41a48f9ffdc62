// What the test host answers where Director's headers leave the answer
// open. Kept here so that every service gives the same answer.
#pragma once
#include "moa/host_abi_choices.h"
#include "moa/moa_types.h"

namespace marlowhost {

// Codes of host-abi that moa_types.h does not declare (the Xtra never tests them).
inline constexpr MoaError kNotImplemented = static_cast<MoaError>(0x80004001);
inline constexpr MoaError kDictWrongType = static_cast<MoaError>(0x8004002B);
inline constexpr MoaError kDictBufferTooSmall = static_cast<MoaError>(0x8004002D);
inline constexpr MoaError kCannotSetProperty = static_cast<MoaError>(0x800407D6);
inline constexpr MoaError kMediaNotReady = static_cast<MoaError>(0x80040BD6);

// GetFirstFreeMemberIndex of a full cast: index 0 and this code.
inline constexpr MoaError kFullCastAnswer = kMoaErr_OutOfMem;
// GetMemberIndexFromName without such a member: index 0 and this code.
inline constexpr MoaError kNoMemberOfThatName = kMoaDrErr_CastMemNotFound;
// GetActiveMovie when no movie is open.
inline constexpr MoaError kNoActiveMovie = kMoaDrErr_MovieNotOpen;
// A missing movie handler; the Xtra ignores the answer.
inline constexpr MoaError kMissingHandler = moa_choice::kMissingHandlerAnswer;
// A list operation on a value that is not a list of the right kind.
inline constexpr MoaError kNotAList = kMoaMmErr_ValueTypeMismatch;
// A value that is not (or no longer) in the store.
inline constexpr MoaError kDeadValue = kMoaErr_BadParam;
// Unregistering a client that is not registered for that notification.
inline constexpr MoaError kNotRegistered = kMoaErr_BadParam;

// The handles WinGetParent gives unless a host sets real ones.
inline void* const kDefaultInstanceHandle = reinterpret_cast<void*>(0x00400000);
inline void* const kDefaultParentWindow = reinterpret_cast<void*>(0x000A0B0C);

// Slots of the cast library every movie starts with.
inline constexpr int kDefaultCastSlots = 100;

}  // namespace marlowhost
