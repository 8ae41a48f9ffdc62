// One run of a movie script against the loaded Xtra, as Director plays a
// movie: startMovie, stopMovie, then the objects go and the Xtra must be
// able to unload.
#pragma once

#include <string>

#include "ast.h"
#include "director_text.h"
#include "test_host.h"
#include "transcript.h"
#include "xtra_loader.h"

namespace marlowhost {

struct MovieRun {
    const lingo::Script& script;
    std::string scriptName;         // as errors name it
    std::string saveMembersFolder;  // empty: none
    DirectorText text;              // of the Director played
};

// The exit status: 0 when the script ran to its end, 1 after a script
// error or when the Xtra is still in use at the end.
int RunMovie(const MovieRun& run, TestHost& host, XtraLoader& loader, Transcript& transcript);

}  // namespace marlowhost
