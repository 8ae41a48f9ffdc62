#include "module/registration_text.h"

#include <cstdio>

namespace module {
namespace {

constexpr const char* kBannerFormat = "xtra Marlowtide --(WINTEL Release build) -- version %s.%s.%s\n";
constexpr const char* kMajorVersion = "1";
constexpr const char* kMinorVersion = "0";
constexpr const char* kBuildVersion = "12(U)(S)";

// The host counts every line that is neither empty nor a "--" comment as one
// method, so the order of these lines is the dispatcher's numbering.
constexpr const char* kMethodTable =
    "-- This xtra can be used in Shockwave\n"
    "-- --------------------------------\n"
    "   new object me, *\n"
    "/  forget object me \n"
    "   GetVersionString  object me -- returns the version string for this xtra\n"
    "--\n"
    "\n"
    "-- Marlowtide\n"
    "-- **********\n"
    "   OpenAudio object me, string name -- \"\" indicates default device\n"
    "   IsAudioOpen object me\n"
    "   CloseAudio object me\n"
    "   --\n"
    "   StartRecording object me, long maxMillisecondsToRecord\n"
    "   RecordingNow object me\n"
    "   StopRecording object me\n"
    "   StartGetInputLevel object me\n"
    "   StopGetInputLevel object me\n"
    "   GetInputLevel object me, * -- optional integer for duration, default=50mS\n"
    "   IsGsilActive object me\n"
    "   --\n"
    "   PlaySound object me\n"
    "   IsSoundPlaying object me\n"
    "   PlayStop object me\n"
    "   --\n"
    "   SaveAsMember object me, string name, * -- opt:number of castlib \n"
    "   SaveAsFile object me, string name\n"
    "   --\n"
    "   GetFormat object me -- return property list #SampleRate, #BitsPerSample and #channelCount\n"
    "   SetFormat object me, any propList--\n"
    "   SetSampleRate object me, float sampleRate               --   deprecated, use SetFormat\n"
    "   SetBitsPerSample object me, integer bitsPerSample       --   deprecated, use SetFormat\n"
    "   SetChannels object me, integer numberOfChannelsToRecord --   deprecated, use SetFormat\n"
    "   FindAudioCaptureDevices object me -- return a list of all the installed audio devices\n"
    "   FindAllAudioCompressors object me -- return a list of all the installed audio compressors\n"
    "   ShowErrorsAsDialogs object me, integer trueOrFalse -- turn on/off error dialo windows appearing\n"
    "/ + PrivateGlobal *\n"
    "/  PrivateInstance object me, *\n"
    "--\n";

struct Banner {
    char text[128];
    Banner() { std::snprintf(text, sizeof text, kBannerFormat, kMajorVersion, kMinorVersion, kBuildVersion); }
};

}  // namespace

const char* VersionBanner() {
    static const Banner banner;
    return banner.text;
}

const char* MethodTableText() { return kMethodTable; }

}  // namespace module
