// --save-members DIR: the media of every Sound member as DIR/<castLib>-<name>.wav.
#pragma once

#include <string>

#include "director_text.h"
#include "movie_service.h"
#include "transcript.h"

namespace marlowhost {

// Prints one line per file written; false (with a line saying why) when a
// file cannot be written. Member names are in the host's text.
bool SaveSoundMembers(const MovieService& movie, const DirectorText& text, const std::string& folder,
                      Transcript& transcript);

}  // namespace marlowhost
