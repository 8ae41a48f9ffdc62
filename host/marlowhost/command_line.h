// marlowhost [options] SCRIPT
#pragma once

#include <string>

#include "simulated_machine.h"

namespace marlowhost {

struct Options {
    std::string scriptPath;
    std::string xtraPath;  // empty: the default beside the executable
    std::string saveMembersFolder;
    // The ProductVersion marlowhost answers as Director; empty: none, no IMoaAppInfo.
    std::string directorVersion = "12.0";
    MachineOptions machine;
    bool help = false;
};

// False with the reason when the command line is not one marlowhost takes.
bool ParseCommandLine(int argc, char** argv, Options* options, std::string* error);
std::string HelpText();

}  // namespace marlowhost
