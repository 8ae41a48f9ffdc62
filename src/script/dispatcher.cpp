// Call: the one entry of every Lingo method. It traces the call, resets the
// per-call state and runs the behaviour of the method number.
#include <cstdio>

#include "diag/bounded_text.h"
#include "script/instance_entry.h"
#include "script/method_behaviours.h"
#include "script/method_number.h"
#include "script/script_operations.h"

namespace script {
namespace {

constexpr int32_t kCallLineLevel = 25;
constexpr int32_t kPollingLevel = 25;
constexpr int32_t kMethodLevel = 50;

// How a method that uses the audio device answers when the instance has
// none (its allocation failed, or the host calls an object that never got
// new, as it does for parent methods).
enum class WithoutDevice {
    NotUsed,                   // the method does not use the device
    IntegerZero,               // a query: answers 0
    IntegerZeroNoExitLine,     // RecordingNow: answers 0 and leaves early
    FailureText,               // fails the status and answers its text
    FailureNoResult,           // fails the status and answers nothing
};

constexpr const char* kNoDeviceMessage = "No audio device";
// Asked from the internal-error handler while the engine reports a failure
// from inside one of its operations: entering it again would pull its state
// away under that operation.
constexpr const char* kDeviceBusyMessage = "Audio device busy reporting an error";

using Behaviour = void (*)(const MethodCall&);

struct MethodTraits {
    Behaviour behaviour;   // null: nothing besides the trace lines
    const char* traceName; // empty: no own lines
    int32_t traceLevel;
    bool exitLine;
    WithoutDevice withoutDevice;
};

constexpr const char* kSetFormatValueTraceName = "m_setSampleRate/m_setBitsPerSample/m_setNumChannels";

const MethodTraits kMethods[kMethodCount] = {
    {NewMethod, "m_new", kMethodLevel, true, WithoutDevice::NotUsed},
    {ForgetMethod, "m_delete", kMethodLevel, false, WithoutDevice::NotUsed},
    {GetVersionStringMethod, "m_getVersion", kMethodLevel, true, WithoutDevice::NotUsed},
    {OpenAudioMethod, "", kMethodLevel, false, WithoutDevice::FailureText},
    {IsAudioOpenMethod, "m_isAudioOpen", kPollingLevel, true, WithoutDevice::IntegerZero},
    {CloseAudioMethod, "m_close", kMethodLevel, true, WithoutDevice::FailureText},
    {StartRecordingMethod, "m_startCapture", kMethodLevel, true, WithoutDevice::FailureText},
    {RecordingNowMethod, "m_areWeCapturing", kPollingLevel, true, WithoutDevice::IntegerZeroNoExitLine},
    {StopRecordingMethod, "m_stopCapturing", kMethodLevel, true, WithoutDevice::FailureText},
    {StartGetInputLevelMethod, "m_startGsil", kMethodLevel, true, WithoutDevice::FailureText},
    {StopGetInputLevelMethod, "m_stopGsil", kMethodLevel, true, WithoutDevice::FailureNoResult},
    {GetInputLevelMethod, "m_gsil", kMethodLevel, true, WithoutDevice::FailureText},
    {IsGsilActiveMethod, "m_isGsilActive", kMethodLevel, true, WithoutDevice::IntegerZero},
    {PlaySoundMethod, "m_playStartStored", kMethodLevel, true, WithoutDevice::FailureText},
    {IsSoundPlayingMethod, "m_isStoredPlaying", kPollingLevel, true, WithoutDevice::IntegerZero},
    {PlayStopMethod, "m_playStopStored", kMethodLevel, true, WithoutDevice::FailureText},
    {SaveAsMemberMethod, "m_saveAsMember", kMethodLevel, true, WithoutDevice::FailureText},
    {SaveAsFileMethod, "m_saveAsFile", kMethodLevel, true, WithoutDevice::FailureText},
    {GetFormatMethod, "m_getFormat", kMethodLevel, true, WithoutDevice::FailureNoResult},
    {SetFormatMethod, "m_setFormat", kMethodLevel, true, WithoutDevice::FailureText},
    {SetSampleRateMethod, kSetFormatValueTraceName, kMethodLevel, true, WithoutDevice::FailureText},
    {SetBitsPerSampleMethod, kSetFormatValueTraceName, kMethodLevel, true, WithoutDevice::FailureText},
    {SetChannelsMethod, kSetFormatValueTraceName, kMethodLevel, true, WithoutDevice::FailureText},
    {FindAudioCaptureDevicesMethod, "m_findAllDevices", kMethodLevel, true, WithoutDevice::FailureNoResult},
    {FindAllAudioCompressorsMethod, "m_findAllCompressors", kMethodLevel, true, WithoutDevice::NotUsed},
    {ShowErrorsAsDialogsMethod, "m_showErrorDialogs", kMethodLevel, true, WithoutDevice::NotUsed},
    {nullptr, "", kMethodLevel, false, WithoutDevice::NotUsed},
    {PrivateInstanceMethod, "m_privateLocal", kMethodLevel, true, WithoutDevice::NotUsed},
};

bool IsKnownMethod(int32_t number) {
    return number >= 0 && number < kMethodCount;
}

// Answers for a missing device; false when the method leaves without its
// Exit line.
bool AnswerWithoutDevice(const MethodCall& method, WithoutDevice answer, const char* message) {
    switch (answer) {
        case WithoutDevice::NotUsed:
            break;
        case WithoutDevice::IntegerZero:
            AnswerInteger(method, 0);
            break;
        case WithoutDevice::IntegerZeroNoExitLine:
            AnswerInteger(method, 0);
            return false;
        case WithoutDevice::FailureText:
            FailStatus(method.instance(), message);
            AnswerStatusText(method);
            break;
        case WithoutDevice::FailureNoResult:
            FailStatus(method.instance(), message);
            break;
    }
    return true;
}

void RunMethod(const MethodCall& method, const MethodTraits& traits) {
    // A spent object (after forget) has nothing left to work with.
    if (IsSpent(method.instance())) {
        return;
    }
    const bool ownLines = traits.traceName[0] != '\0';
    if (ownLines) {
        method.self->ExecutionFlow(traits.traceName, "Enter", traits.traceLevel);
    }
    bool exitLine = ownLines && traits.exitLine;
    const ScriptInstance& instance = method.instance();
    const bool usesDevice = traits.withoutDevice != WithoutDevice::NotUsed;
    if (usesDevice && (instance.audioDevice == nullptr || instance.engineReportDepth > 0)) {
        const char* message = instance.audioDevice == nullptr ? kNoDeviceMessage : kDeviceBusyMessage;
        exitLine = AnswerWithoutDevice(method, traits.withoutDevice, message) && exitLine;
    } else if (traits.behaviour != nullptr) {
        traits.behaviour(method);
    }
    if (exitLine) {
        method.self->ExecutionFlow(traits.traceName, "Exit", traits.traceLevel);
    }
}

}  // namespace

MoaError Call(ScriptInterface* self, InstanceObject* object, MoaMmCallInfo* call) {
    ScriptInstance& instance = object->instance;
    const InstanceEntry entry(instance);
    const int32_t number = call->methodSelector;
    const bool known = IsKnownMethod(number);
    // The Call lines are formatted only when they are written: with tracing
    // off that is most of the dispatcher's own cost. The method may switch
    // tracing, so the Exit line asks again.
    char line[128];
    if (instance.TracesFlow(kCallLineLevel)) {
        std::snprintf(line, sizeof line, "Enter (%d-%s)", static_cast<int>(number),
                      known ? kMethods[number].traceName : "");
        self->ExecutionFlow("Call", line, kCallLineLevel);
    }

    // A movie handler that calls the object back runs inside one of its
    // calls: the caller's status and reply are the caller's answer, and the
    // nested call must not leave its own in their place. Routing switched
    // meanwhile stays switched.
    const bool nested = instance.activeEntries > 1;
    const StatusRecord callerStatus = nested ? instance.status : StatusRecord();
    char callerReply[ScriptInstance::kTextBytes] = {};
    if (nested) {
        CopyBounded(callerReply, instance.replyText);
    }
    CopyBounded(instance.replyText, "Ok");
    instance.status.Reset();
    if (known) {
        RunMethod(MethodCall{self, object, call}, kMethods[number]);
    }
    if (nested) {
        StatusRecord restored = callerStatus;
        restored.SetCallback(instance.status.userData, instance.status.callback);
        instance.status = restored;
        CopyBounded(instance.replyText, callerReply);
    }

    if (instance.TracesFlow(kCallLineLevel)) {
        std::snprintf(line, sizeof line, "Exit (%d)", static_cast<int>(number));
        self->ExecutionFlow("Call", line, kCallLineLevel);
    }
    return kMoaErr_NoErr;
}

}  // namespace script
