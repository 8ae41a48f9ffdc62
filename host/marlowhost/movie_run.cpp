#include "movie_run.h"

#include "evaluator.h"
#include "member_files.h"
#include "result_code_text.h"
#include "script_error.h"
#include "xtra_binding.h"

namespace marlowhost {

namespace {

void Report(const MovieRun& run, const lingo::ScriptError& error, Transcript& transcript) {
    transcript.Error(run.scriptName + ":" + std::to_string(error.Line()) + ": " + error.what());
}

// Runs the movie's handlers; false after a script error.
bool PlayMovie(const MovieRun& run, lingo::Evaluator& evaluator, XtraBinding& binding, Transcript& transcript) {
    try {
        if (!evaluator.HasHandler("startMovie")) {
            throw lingo::ScriptError(1, "Script error: the script has no on startMovie handler");
        }
        evaluator.CallHandler("startMovie", {}, 1);
        if (evaluator.HasHandler("stopMovie")) evaluator.CallHandler("stopMovie", {}, 1);
        evaluator.ClearGlobals();
        binding.ForgetLiveObjects();
        return true;
    } catch (const lingo::ScriptError& error) {
        Report(run, error, transcript);
    }
    // The movie has stopped; what it held goes without running its handlers.
    binding.StopScript();
    try {
        evaluator.ClearGlobals();
        binding.ForgetLiveObjects();
    } catch (const lingo::ScriptError& error) {
        Report(run, error, transcript);
    }
    return false;
}

}  // namespace

int RunMovie(const MovieRun& run, TestHost& host, XtraLoader& loader, Transcript& transcript) {
    bool played = false;
    {
        XtraBinding binding(host, loader, transcript, run.text);
        lingo::Evaluator evaluator(run.script, binding);
        std::vector<std::string> handlerNames;
        for (const lingo::Handler& handler : run.script.handlers) handlerNames.push_back(handler.name);
        binding.ServeHandlers(evaluator, handlerNames);
        played = PlayMovie(run, evaluator, binding, transcript);
        for (const std::string& name : handlerNames) host.Handlers().Remove(name);
    }
    int status = played ? 0 : 1;
    MoaError unload = loader.CanUnloadNow();
    if (unload != kMoaErr_NoErr) {
        transcript.Error("marlowhost: the Xtra is still in use at the end: DllCanUnloadNow answers " +
                         ResultCodeText(unload));
        status = 1;
    }
    if (!run.saveMembersFolder.empty() &&
        !SaveSoundMembers(host.Movie(), run.text, run.saveMembersFolder, transcript)) {
        status = 1;
    }
    return status;
}

}  // namespace marlowhost
