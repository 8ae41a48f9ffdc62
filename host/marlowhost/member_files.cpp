#include "member_files.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "names.h"

namespace marlowhost {

namespace {

// A member name is the movie's: it must not reach outside the folder. Any
// character but a few ASCII ones becomes one "_", whichever Director named it.
std::string FileNamePart(const DirectorText& text, const std::string& hostName, int slot) {
    std::string name;
    if (hostName.empty() || !text.FromHost(hostName, &name)) return "member" + std::to_string(slot);
    std::string safe;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        bool continuesCharacter = u >= 0x80 && u < 0xC0;
        if (continuesCharacter) continue;
        bool allowed = u < 0x80 && (std::isalnum(u) || c == '-' || c == '_' || c == ' ' || c == '.');
        safe += allowed ? c : '_';
    }
    if (safe.find_first_not_of('.') == std::string::npos) safe = "member" + std::to_string(slot);
    return safe;
}

}  // namespace

bool SaveSoundMembers(const MovieService& movie, const DirectorText& text, const std::string& folder,
                      Transcript& transcript) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        transcript.Error("marlowhost: cannot make the folder " + folder + ": " + error.message());
        return false;
    }
    bool allWritten = true;
    for (int castLib = 1; castLib <= movie.CastCount(); ++castLib) {
        const CastLibrary* cast = movie.Cast(castLib);
        for (int slot = 1; slot <= cast->Slots(); ++slot) {
            const CastMember* member = cast->Member(slot);
            if (!member || !lingo::SameName(member->Type(), "Sound") || !member->HasMedia()) continue;
            // Printed with forward slashes on every system, so that
            // transcripts read the same on Windows.
            const std::filesystem::path filePath =
                std::filesystem::path(folder) /
                (std::to_string(castLib) + "-" + FileNamePart(text, member->Name(), slot) + ".wav");
            const std::string path = filePath.generic_string();
            std::ofstream file(filePath, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(member->Media().data()),
                       static_cast<std::streamsize>(member->Media().size()));
            file.close();
            if (!file) {
                transcript.Error("marlowhost: cannot write " + path);
                allWritten = false;
                continue;
            }
            transcript.Line("[member file] " + path + " (" + std::to_string(member->Media().size()) + " bytes)");
        }
    }
    return allWritten;
}

}  // namespace marlowhost
