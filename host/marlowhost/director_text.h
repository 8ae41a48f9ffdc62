// How the Director marlowhost plays passes text to the Xtra. Director 11
// and later pass UTF-8; 8.5 to MX 2004 pass the system's ANSI code page
// (1252 in the native build), where a character the code page lacks
// becomes "?". The script and the transcript are UTF-8 either way.
#pragma once

#include <string>

namespace marlowhost {

enum class HostEncoding { AnsiCodePage, Utf8 };

class DirectorText {
public:
    explicit DirectorText(HostEncoding encoding) : encoding_(encoding) {}

    // The encoding of a ProductVersion such as "8.5" or "12.0"; empty, a
    // host without IMoaAppInfo, is taken for an old one.
    static HostEncoding EncodingOfVersion(const std::string& version);

    HostEncoding Encoding() const { return encoding_; }
    // The script's UTF-8 as the host hands it over; false when it is not UTF-8.
    bool ToHost(const std::string& utf8, std::string* hostText) const;
    // The Xtra's text as UTF-8; false when it is not text of the host's encoding.
    bool FromHost(const std::string& hostText, std::string* utf8) const;

private:
    HostEncoding encoding_;
};

}  // namespace marlowhost
