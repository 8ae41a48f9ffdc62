// Input level metering.
#include "host/property_list_builder.h"
#include "script/method_behaviours.h"

namespace script {
namespace {

constexpr int32_t kDefaultMeteringMs = 50;

// Only the first failing GetInputLevel of the process tells the movie;
// later ones, in any instance, answer the error text silently.
bool levelWarningGiven = false;

}  // namespace

void StartGetInputLevelMethod(const MethodCall& method) {
    int32_t duration = kDefaultMeteringMs;
    int32_t given = 0;
    if (method.bridge().ReadIntegerArgument(method.call, 1, &given)) {
        duration = given;
    }
    method.instance().status = method.device().SetLevelMetering(true, duration);
    if (method.instance().status.failed) {
        AnswerStatusText(method);
        ReportStatus(method, "You must first start a capture", "Call:StartGSIL");
    }
}

void StopGetInputLevelMethod(const MethodCall& method) {
    method.instance().status = method.device().SetLevelMetering(false, kDefaultMeteringMs);
}

void GetInputLevelMethod(const MethodCall& method) {
    int32_t left = 0;
    int32_t right = 0;
    method.instance().status = method.device().GetLevel(&left, &right);
    if (method.instance().status.failed) {
        AnswerStatusText(method);
        // Set before the report, so a handler that asks again stays silent.
        const bool first = !levelWarningGiven;
        levelWarningGiven = true;
        if (first) {
            ReportStatus(method, "You must first StartGSIL", "Call:GetInputLevel");
        }
        return;
    }
    PropertyListBuilder levels(method.bridge().HostCallback(), &method.call->resultValue);
    levels.AddInteger("Left", left);
    levels.AddInteger("Right", right);
    levels.AddText("Error", method.instance().status.FormatText());
}

void IsGsilActiveMethod(const MethodCall& method) {
    AnswerInteger(method, method.device().IsLevelMeteringActive() ? 1 : 0);
}

}  // namespace script
