#include "machine_control.h"

#include <string>

#include "names.h"
#include "script_error.h"
#include "simulated_machine.h"
#include "value_display.h"

#if !defined(_WIN32)
#include "platform/simulator/control.h"
#endif

namespace marlowhost {

namespace {

[[noreturn]] void Fail(int line, const std::string& message) {
    throw lingo::ScriptError(line, "Script error: simulate: " + message);
}

}  // namespace

#if !defined(_WIN32)

namespace {

struct NamedCall {
    const char* name;
    marlowsim::Call call;
};

constexpr NamedCall kCalls[] = {
    {"CaptureEnumerate", marlowsim::Call::CaptureEnumerate},
    {"DirectSoundCreate", marlowsim::Call::DirectSoundCreate},
    {"DirectSoundCaptureCreate", marlowsim::Call::DirectSoundCaptureCreate},
    {"SetCooperativeLevel", marlowsim::Call::SetCooperativeLevel},
    {"CreateSoundBuffer", marlowsim::Call::CreateSoundBuffer},
    {"CreateCaptureBuffer", marlowsim::Call::CreateCaptureBuffer},
    {"CaptureStart", marlowsim::Call::CaptureStart},
    {"CaptureStop", marlowsim::Call::CaptureStop},
    {"CaptureGetStatus", marlowsim::Call::CaptureGetStatus},
    {"CaptureGetCurrentPosition", marlowsim::Call::CaptureGetCurrentPosition},
    {"CaptureLock", marlowsim::Call::CaptureLock},
    {"CaptureUnlock", marlowsim::Call::CaptureUnlock},
    {"PlayLock", marlowsim::Call::PlayLock},
    {"PlayUnlock", marlowsim::Call::PlayUnlock},
    {"PlaySetCurrentPosition", marlowsim::Call::PlaySetCurrentPosition},
    {"Play", marlowsim::Call::Play},
    {"PlayGetStatus", marlowsim::Call::PlayGetStatus},
    {"PlayStop", marlowsim::Call::PlayStop},
    {"CoInitialize", marlowsim::Call::CoInitialize},
    {"GlobalAlloc", marlowsim::Call::GlobalAlloc},
};

bool IsSymbol(const lingo::Value& value, const char* name) {
    return value.Kind() == lingo::ValueKind::Symbol && lingo::SameName(value.Text(), name);
}

int32_t Integer(const std::vector<lingo::Value>& arguments, size_t at, int line) {
    if (at >= arguments.size() || arguments[at].Kind() != lingo::ValueKind::Integer) {
        Fail(line, "argument " + std::to_string(at + 1) + " must be an integer");
    }
    return arguments[at].AsInteger();
}

marlowsim::DeviceState State(const std::vector<lingo::Value>& arguments, size_t at, int line) {
    if (at < arguments.size()) {
        if (IsSymbol(arguments[at], "present")) return marlowsim::DeviceState::Present;
        if (IsSymbol(arguments[at], "removed")) return marlowsim::DeviceState::Removed;
        if (IsSymbol(arguments[at], "stalled")) return marlowsim::DeviceState::Stalled;
    }
    Fail(line, "a device is #present, #removed or #stalled");
}

marlowsim::Call CallNamed(const std::vector<lingo::Value>& arguments, int line) {
    if (arguments.size() > 1 && arguments[1].Kind() == lingo::ValueKind::String) {
        for (const NamedCall& known : kCalls) {
            if (arguments[1].Text() == known.name) return known.call;
        }
    }
    Fail(line, "no DirectSound call " + (arguments.size() > 1 ? lingo::DisplayForm(arguments[1]) : std::string()));
}

}  // namespace

void ControlMachine(const std::vector<lingo::Value>& arguments, int line) {
    if (arguments.empty()) Fail(line, "what should the machine do?");
    const lingo::Value& what = arguments[0];
    if (IsSymbol(what, "captureDevice")) {
        const int32_t device = Integer(arguments, 1, line);
        if (device < 1 || device > SimulatedCaptureDevices()) {
            Fail(line, "no capture device " + std::to_string(device));
        }
        marlowsim::SetCaptureDeviceState(device - 1, State(arguments, 2, line));
    } else if (IsSymbol(what, "playbackDevice")) {
        marlowsim::SetPlaybackDeviceState(State(arguments, 1, line));
    } else if (IsSymbol(what, "neverDeliver")) {
        marlowsim::SetCaptureObjectsThatNeverDeliver(Integer(arguments, 1, line));
    } else if (IsSymbol(what, "fault")) {
        const marlowsim::Call call = CallNamed(arguments, line);
        const HRESULT code = static_cast<HRESULT>(Integer(arguments, 2, line));
        const bool always = arguments.size() > 3 && Integer(arguments, 3, line) != 0;
        marlowsim::InjectFault(call, code, always);
    } else if (IsSymbol(what, "clearFaults")) {
        marlowsim::ClearFaults();
    } else if (IsSymbol(what, "wideSamples")) {
        marlowsim::SetWideSamplesAccepted(Integer(arguments, 1, line) != 0);
    } else {
        Fail(line, "unknown " + lingo::DisplayForm(what));
    }
}

#else

void ControlMachine(const std::vector<lingo::Value>&, int line) {
    Fail(line, "needs the simulated machine of the native build");
}

#endif

}  // namespace marlowhost
