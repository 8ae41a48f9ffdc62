// memberInfo(name [, castLib]): what the script may learn of a member.
#pragma once

#include "cast_member.h"
#include "lingo_value.h"

namespace marlowhost {

// [#type: #sound, #number: slot, #bytes: media bytes, #sampleRate: Hz,
//  #channels: n, #bits: n, #duration: ms]; the sound properties are 0
// when the media is no WAV image.
lingo::Value MemberInfoValue(const CastMember& member);

}  // namespace marlowhost
