#include "script/method_call.h"

#include "diag/bounded_text.h"

namespace script {
namespace {

struct StatusTextCopy {
    explicit StatusTextCopy(StatusRecord& status) { CopyBounded(text, status.FormatText()); }
    char text[StatusRecord::kTextBytes];
};

}  // namespace

void AnswerStatusText(const MethodCall& method) {
    AnswerText(method, method.instance().status.FormatText());
}

void AnswerReplyText(const MethodCall& method) {
    AnswerText(method, method.instance().replyText);
}

void AnswerText(const MethodCall& method, const char* text) {
    method.bridge().MakeText(text, &method.call->resultValue);
}

void AnswerInteger(const MethodCall& method, int32_t value) {
    method.bridge().MakeInteger(value, &method.call->resultValue);
}

void FailStatus(ScriptInstance& instance, const char* message) {
    StatusRecord outcome = instance.status;
    // While a failure is being reported, the handler may call this object
    // back; its refusals go to the caller only, or an unguarded handler
    // would be called again by its own call, without end.
    if (instance.engineReportDepth > 0) {
        outcome.SetCallback(nullptr, nullptr);
    }
    outcome.SetFailure(message, -1);
    outcome.SetCallback(instance.status.userData, instance.status.callback);
    instance.status = outcome;
}

void Report(const MethodCall& method, const char* description, const char* help, const char* debug) {
    method.self->InformUserViaCallback(description, help, debug);
}

void ReportStatus(const MethodCall& method, const char* help, const char* debug) {
    const StatusTextCopy description(method.instance().status);
    Report(method, description.text, help, debug);
}

void ReportStatusTwice(const MethodCall& method, const char* debug) {
    const StatusTextCopy text(method.instance().status);
    Report(method, text.text, text.text, debug);
}

}  // namespace script
