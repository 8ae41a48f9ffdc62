#include "command_line.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "director_text.h"
#include "xtra_loader.h"

namespace marlowhost {

namespace {

// Splits "--name=value"; answers whether the argument was of that form.
bool SplitAssignment(const std::string& argument, std::string* name, std::string* value) {
    size_t equals = argument.find('=');
    if (argument.compare(0, 2, "--") != 0 || equals == std::string::npos) return false;
    *name = argument.substr(0, equals);
    *value = argument.substr(equals + 1);
    return true;
}

constexpr int kMostCaptureDevices = 32;

bool ReadCount(const std::string& text, int* out) {
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || number < 0 || number > kMostCaptureDevices) return false;
    *out = static_cast<int>(number);
    return true;
}

// Digits first, as Director's own: "8.5", "10.1", "12.0", "5.0a".
bool IsVersion(const std::string& text) {
    constexpr size_t kLongestVersion = 15;
    if (text.empty() || text.size() > kLongestVersion || !std::isdigit(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.') return false;
    }
    return true;
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, Options* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options->help = true;
            return true;
        }
        std::string name = argument;
        std::string value;
        bool hasValue = SplitAssignment(argument, &name, &value);
        bool takesValue = name == "--xtra" || name == "--input" || name == "--devices" || name == "--clock" ||
                          name == "--save-members" || name == "--director-version" || name == "--device";
        if (takesValue && !hasValue) {
            if (i + 1 >= argc) {
                *error = name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (name == "--xtra") {
            options->xtraPath = value;
        } else if (name == "--input") {
            options->machine.input = value;
            options->machine.inputGiven = true;
        } else if (name == "--device") {
            std::string checked;
            if (value.empty() || !DirectorText(HostEncoding::Utf8).ToHost(value, &checked)) {
                *error = "--device needs the name of a capture device in UTF-8";
                return false;
            }
            if (static_cast<int>(options->machine.deviceNames.size()) == kMostCaptureDevices) {
                *error = "--device: at most " + std::to_string(kMostCaptureDevices) + " capture devices";
                return false;
            }
            options->machine.deviceNames.push_back(value);
        } else if (name == "--devices") {
            if (!ReadCount(value, &options->machine.devices)) {
                *error = "--devices needs a number of capture devices from 0 to " +
                         std::to_string(kMostCaptureDevices) + ", not '" + value + "'";
                return false;
            }
            options->machine.devicesGiven = true;
        } else if (name == "--clock") {
            if (value != "manual" && value != "real") {
                *error = "--clock takes manual or real, not '" + value + "'";
                return false;
            }
            options->machine.manualClock = value == "manual";
            options->machine.clockGiven = true;
        } else if (name == "--save-members") {
            options->saveMembersFolder = value;
        } else if (name == "--director-version") {
            if (value != "none" && !IsVersion(value)) {
                *error = "--director-version takes a version such as 8.5, 10.1, 11.5 or 12.0, or none, not '" +
                         value + "'";
                return false;
            }
            options->directorVersion = value == "none" ? "" : value;
        } else if (argument.size() > 1 && argument[0] == '-') {
            *error = "unknown option " + argument;
            return false;
        } else if (!options->scriptPath.empty()) {
            *error = "one script only, not also " + argument;
            return false;
        } else {
            options->scriptPath = argument;
        }
    }
    if (options->machine.devicesGiven && !options->machine.deviceNames.empty()) {
        *error = "--devices and --device do not go together: name every device with --device";
        return false;
    }
    if (options->scriptPath.empty()) {
        *error = "no script given";
        return false;
    }
    return true;
}

std::string HelpText() {
    std::string text =
        "usage: marlowhost [options] SCRIPT\n"
        "\n"
        "Runs the Lingo movie script SCRIPT against the Marlowtide Xtra, as Director\n"
        "would: on startMovie, then on stopMovie if the script has one; then the\n"
        "objects still alive are forgotten and the Xtra must be able to unload.\n"
        "\n"
        "options:\n"
        "  --xtra PATH          the Xtra to load (default: " + XtraLoader::DefaultLibraryName() +
        " beside marlowhost,\n"
        "                       or in the Xtras folder beside it)\n";
    if (MachineIsSimulated()) {
        text +=
            "  --input SOURCE       what the simulated capture devices hear:\n"
            "                       silence, sine:FREQ[:AMPLITUDE], square:FREQ[:AMPLITUDE],\n"
            "                       noise[:AMPLITUDE] or file:PATH.wav; AMPLITUDE from 0 to 1\n"
            "                       of full scale (default sine:440:0.5)\n"
            "  --devices N          the machine has N capture devices (default 1)\n"
            "  --device NAME        the machine has a capture device of that name, any\n"
            "                       UTF-8 text; repeat it for more devices\n"
            "  --clock manual       time passes only through idle(ms) (for tests);\n"
            "                       default: real time\n";
    }
    text +=
        "  --director-version VERSION\n"
        "                       the Director marlowhost plays (default 12.0): from 11\n"
        "                       on, text passes to the Xtra as UTF-8; below 11 in the\n"
        "                       ANSI code page, where a character it lacks becomes \"?\";\n"
        "                       none: a host that does not say which Director it is\n"
        "                       (text as below 11). The script and the transcript are\n"
        "                       UTF-8 either way.\n"
        "  --save-members DIR   at exit, write the media of every Sound member to\n"
        "                       DIR/<castLib>-<name>.wav\n"
        "  --help               this text\n"
        "\n"
        "The script may call new(xtra \"Marlowtide\"), obj.Method(args) or\n"
        "Method(obj, args), and idle(ms), memberInfo(name [, castLib]) and\n"
        "meter(left, right); see docs/lingo.md. The Xtra calls the script's\n"
        "Marlowtide_XtraError, Marlowtide_XtraFlow and Marlowtide_InternalError\n"
        "handlers when it defines them.\n"
        "\n";
    if (MachineIsSimulated()) {
        text +=
            "simulate(...) tells the simulated machine something mid-run: a capture\n"
            "device removed, stalled or back, a DirectSound call that fails; see\n"
            "docs/lingo.md.\n"
            "Message boxes print as [box] CAPTION: BODY, debugger output as [debug] LINE.\n";
    } else {
        text +=
            "The Xtra records from this PC's own capture devices through DirectSound;\n"
            "OpenAudio(\"\") opens the one Windows uses by default. Its message boxes\n"
            "are Windows' own: ShowErrorsAsDialogs(0) keeps reports in the script.\n";
    }
    text +=
        "\n"
        "exit status:\n"
        "  0  the script ran to its end\n"
        "  1  a script error (printed as SCRIPT:LINE: message), or an Xtra still in\n"
        "     use at the end\n"
        "  2  bad usage, a script that cannot be read, or an Xtra that does not load\n";
    return text;
}

}  // namespace marlowhost
