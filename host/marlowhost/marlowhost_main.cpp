// marlowhost: runs a Lingo movie script against the Marlowtide Xtra,
// outside Director.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "command_line.h"
#include "director_text.h"
#include "movie_run.h"
#include "parser.h"
#include "script_error.h"
#include "simulated_machine.h"
#include "test_host.h"
#include "transcript.h"
#include "xtra_loader.h"

namespace {

constexpr int kRanToEnd = 0;
constexpr int kScriptError = 1;
constexpr int kBadUsage = 2;

bool ReadFile(const std::string& path, std::string* text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    *text = contents.str();
    return !file.bad();
}

// Marlowtide's library beside marlowhost, as in the build folder, or in the
// Xtras folder beside it, as in the package and as Director keeps it.
std::string DefaultXtraPath(const char* argv0) {
    const std::string folder = marlowhost::ExecutableFolder(argv0);
    const std::string name = marlowhost::XtraLoader::DefaultLibraryName();
    const std::string inXtras = folder + "Xtras" + folder.back() + name;
    if (!std::ifstream(folder + name) && std::ifstream(inXtras)) return inXtras;
    return folder + name;
}

}  // namespace

int main(int argc, char** argv) {
    // Line by line, so that the transcript up to a crash of the Xtra is kept.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    marlowhost::Options options;
    std::string error;
    if (!marlowhost::ParseCommandLine(argc, argv, &options, &error)) {
        std::fprintf(stderr, "marlowhost: %s\nTry 'marlowhost --help'.\n", error.c_str());
        return kBadUsage;
    }
    if (options.help) {
        std::fputs(marlowhost::HelpText().c_str(), stdout);
        return kRanToEnd;
    }
    std::string source;
    if (!ReadFile(options.scriptPath, &source)) {
        std::fprintf(stderr, "marlowhost: cannot read the script %s\n", options.scriptPath.c_str());
        return kBadUsage;
    }
    marlowhost::Transcript transcript(stdout, stderr);
    lingo::Script script;
    try {
        script = lingo::ParseScript(source);
    } catch (const lingo::ScriptError& scriptError) {
        transcript.Error(options.scriptPath + ":" + std::to_string(scriptError.Line()) + ": " + scriptError.what());
        return kScriptError;
    }
    if (!marlowhost::SetUpMachine(options.machine, transcript, &error)) {
        std::fprintf(stderr, "marlowhost: %s\n", error.c_str());
        return kBadUsage;
    }
    const std::string xtraPath = options.xtraPath.empty() ? DefaultXtraPath(argv[0]) : options.xtraPath;
    marlowhost::TestHost host;
    host.PlayDirector(options.directorVersion);
    marlowhost::XtraLoader loader(host);
    if (!loader.Load(xtraPath)) {
        std::fprintf(stderr, "marlowhost: cannot load the Xtra %s: %s\n", xtraPath.c_str(), loader.FailureText().c_str());
        return kBadUsage;
    }
    const marlowhost::DirectorText text(marlowhost::DirectorText::EncodingOfVersion(options.directorVersion));
    marlowhost::MovieRun run{script, options.scriptPath, options.saveMembersFolder, text};
    return marlowhost::RunMovie(run, host, loader, transcript);
}
