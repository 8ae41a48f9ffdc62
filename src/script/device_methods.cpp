// Opening the device, recording and playing: one device operation each.
#include "audio/capture_device_list.h"
#include "script/method_behaviours.h"

namespace script {
namespace {

constexpr std::size_t kNameBytes = ScriptInstance::kTextBytes;
// A name cut to this buffer is still longer than any listed name, so it
// opens none rather than another device.
static_assert(kNameBytes > sizeof(CaptureDeviceEntry::description));

}  // namespace

void OpenAudioMethod(const MethodCall& method) {
    char name[kNameBytes];
    if (!method.bridge().ReadTextArgument(method.call, 1, name, sizeof name)) {
        AnswerStatusText(method);
        Report(method, "Invalid parameter supplied", "The paramter to this should be a string", "Call:OpenAudio");
        return;
    }
    method.instance().status = method.device().Open(name);
    AnswerStatusText(method);
}

void IsAudioOpenMethod(const MethodCall& method) {
    AnswerInteger(method, method.device().IsOpen() ? 1 : 0);
}

void CloseAudioMethod(const MethodCall& method) {
    method.instance().status = method.device().Close();
    AnswerStatusText(method);
}

void StartRecordingMethod(const MethodCall& method) {
    int32_t maxMilliseconds = 0;
    if (!method.bridge().ReadIntegerArgument(method.call, 1, &maxMilliseconds)) {
        AnswerStatusText(method);
        Report(method, "Invalid parameter supplied",
               "The paramter to this should be a number to indicate the maximum duration for the capture in "
               "milliseconds",
               "Call:StartCapture");
        return;
    }
    method.instance().status = method.device().StartCapture(maxMilliseconds, false);
    AnswerStatusText(method);
}

void RecordingNowMethod(const MethodCall& method) {
    AnswerInteger(method, method.device().IsCapturing() ? 1 : 0);
}

void StopRecordingMethod(const MethodCall& method) {
    method.instance().status = method.device().StopCapture();
    AnswerStatusText(method);
    if (method.instance().status.failed) {
        ReportStatus(method, "You must first start a capture", "Call:StopCapture");
    }
}

void PlaySoundMethod(const MethodCall& method) {
    method.instance().status = method.device().PlayStart();
    AnswerStatusText(method);
    if (method.instance().status.failed) {
        ReportStatusTwice(method, "Call:PlaySound");
    }
}

void IsSoundPlayingMethod(const MethodCall& method) {
    AnswerInteger(method, method.device().IsPlaying() ? 1 : 0);
}

void PlayStopMethod(const MethodCall& method) {
    method.instance().status = method.device().PlayStop();
    AnswerStatusText(method);
}

}  // namespace script
