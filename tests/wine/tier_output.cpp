#include "tier_output.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace wine_tier {

std::string OutputFolder() {
    const char* given = std::getenv("MARLOW_WINE_OUTPUT");
    return given != nullptr && *given != '\0' ? given : "build/wine/output";
}

std::vector<std::string> LinesOf(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Transcript(const std::string& run) { return LinesOf(OutputFolder() + "/" + run + ".out"); }

bool SessionSkipped() { return static_cast<bool>(std::ifstream(OutputFolder() + "/skipped")); }

bool RanEmulated() { return LinesOf(OutputFolder() + "/machine") == std::vector<std::string>{"emulated"}; }

int ExitStatus(const std::string& run) {
    std::ifstream file(OutputFolder() + "/" + run + ".rc");
    int status = -1;
    file >> status;
    return file ? status : -1;
}

std::string FileOf(const std::string& run, const std::string& name) {
    return OutputFolder() + "/" + run + "/" + name;
}

std::vector<std::string> PutTexts(const std::vector<std::string>& lines) {
    std::vector<std::string> texts;
    for (const std::string& line : lines) {
        if (line.size() >= 5 && line.compare(0, 4, "-- \"") == 0 && line.back() == '"') {
            texts.push_back(line.substr(4, line.size() - 5));
        }
    }
    return texts;
}

std::vector<std::string> LinesAfter(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line.substr(prefix.size()));
    }
    return found;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    std::string word;
    while (stream >> word) words.push_back(word);
    return words;
}

}  // namespace wine_tier
