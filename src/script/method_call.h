// One Lingo call as the method behaviours see it, and the result forms and
// reports they share.
#pragma once

#include <cstdint>

#include "audio/audio_device.h"
#include "host/host_bridge.h"
#include "script/script_instance.h"
#include "script/script_interface.h"

namespace script {

struct MethodCall {
    ScriptInterface* self;
    InstanceObject* object;
    MoaMmCallInfo* call;

    ScriptInstance& instance() const { return object->instance; }
    HostBridge& bridge() const { return *object->instance.hostBridge; }
    AudioDevice& device() const { return *object->instance.audioDevice; }
};

// The result slot becomes the formatted status ("Ok" or "Error :%s (%d)").
void AnswerStatusText(const MethodCall& method);
void AnswerReplyText(const MethodCall& method);
void AnswerText(const MethodCall& method, const char* text);
void AnswerInteger(const MethodCall& method, int32_t value);

// Records a failure of the instance's own. The record is failed on a copy
// and stored afterwards, so a routed internal-error handler that calls back
// into this object cannot reset the outcome before the caller reads it.
// Inside such a handler the failure is not routed to it again.
void FailStatus(ScriptInstance& instance, const char* message);

// A user-error report whose texts are fixed.
void Report(const MethodCall& method, const char* description, const char* help, const char* debug);
// A user-error report naming the status text. The text is copied first: a
// handler that calls back into this object resets the status meanwhile.
void ReportStatus(const MethodCall& method, const char* help, const char* debug);
// The same, with the status text as description and help.
void ReportStatusTwice(const MethodCall& method, const char* debug);

}  // namespace script
