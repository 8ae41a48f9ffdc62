// What a session of the Windows tier left (tests/wine/run-session.sh): per
// run NAME, its transcript NAME.out, exit status NAME.rc, and the WAV files
// it wrote under NAME/.
#pragma once

#include <string>
#include <vector>

namespace wine_tier {

// The session's folder: MARLOW_WINE_OUTPUT, else build/wine/output.
std::string OutputFolder();

// A text file's lines without the CR of Windows line ends; empty when
// there is no such file.
std::vector<std::string> LinesOf(const std::string& path);
// The run's transcript, as LinesOf.
std::vector<std::string> Transcript(const std::string& run);
// The session was not needed on this host and left only a marker saying so.
bool SessionSkipped();
// The session ran in the emulated machine, not on this host.
bool RanEmulated();
// The run's exit status, or -1 when it left none.
int ExitStatus(const std::string& run);
std::string FileOf(const std::string& run, const std::string& name);
// The texts the movie put ("-- \"text\"" lines), without the quotes.
std::vector<std::string> PutTexts(const std::vector<std::string>& lines);
// The lines starting with prefix, with the prefix taken off.
std::vector<std::string> LinesAfter(const std::vector<std::string>& lines, const std::string& prefix);
std::vector<std::string> Words(const std::string& line);

}  // namespace wine_tier
