// Saving the take as a Sound cast member or as a WAV file.
#include <cstring>

#include "audio/audio_device.h"
#include "host/host_text.h"
#include "script/method_behaviours.h"

namespace script {
namespace {

// A member name of up to 499 bytes; the buffer has a byte more, so that a
// longer name shows as one that did not fit instead of passing cut, as
// the name of another member.
constexpr std::size_t kLongestNameBytes = ScriptInstance::kTextBytes - 1;
constexpr int32_t kFirstCastLibrary = 1;

// The sound image's refusals that mean there is no take to save: the
// method answers "Ok" and its report asks for one. Any other is the answer.
bool NothingToSave(const StatusRecord& made) {
    return std::strcmp(made.message, AudioDevice::kNoTakeText) == 0 ||
           std::strcmp(made.message, AudioDevice::kStillCapturingText) == 0;
}

}  // namespace

void SaveAsMemberMethod(const MethodCall& method) {
    char name[kLongestNameBytes + 2];
    if (!method.bridge().ReadTextArgument(method.call, 1, name, sizeof name)) {
        AnswerStatusText(method);
        Report(method, "Invalid parameter, expected a string", "This paramter must be a member name",
               "Call:SaveAsMember");
        return;
    }
    if (std::strlen(name) > kLongestNameBytes) {
        method.instance().status.SetFailure("Could not create new member: the name is too long", -1);
        AnswerStatusText(method);
        return;
    }
    // An optional cast library number that does not read leaves library 1.
    int32_t castLibrary = kFirstCastLibrary;
    int32_t given = 0;
    if (method.call->nargs > 2 && method.bridge().ReadIntegerArgument(method.call, 2, &given)) {
        castLibrary = given;
    }
    AudioDevice& device = method.device();
    if (device.IsCapturing()) {
        device.StopCapture();
    }
    HGLOBAL image = device.SoundImage();
    if (image == nullptr) {
        // A take whose image could not be made (its memory) was not saved.
        if (!NothingToSave(device.status)) {
            method.instance().status = device.status;
        }
        AnswerStatusText(method);
        ReportStatus(method, "Have you captured some audio?", "Call:SaveAsMember");
        return;
    }
    method.instance().status = method.bridge().SaveSoundAsMember(name, castLibrary, image);
    AnswerStatusText(method);
}

void SaveAsFileMethod(const MethodCall& method) {
    char path[kPathBufferBytes];
    if (!method.bridge().ReadTextArgument(method.call, 1, path, sizeof path)) {
        AnswerStatusText(method);
        Report(method, "Invalid parameter, expected a string", "This paramter must be a file name",
               "Call:SaveAsFile");
        return;
    }
    method.instance().status = method.device().SaveAsFile(path);
    AnswerStatusText(method);
}

}  // namespace script
