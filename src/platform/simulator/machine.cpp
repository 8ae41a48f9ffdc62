#include "platform/simulator/machine.h"

namespace marlowsim {
namespace detail {

namespace {

// What a machine with one sound card reports: the default device, no GUID.
std::vector<DeviceSpec> DefaultCaptureDevices() {
    return {{"Primary Sound Capture Driver", false, GUID{}, ""}};
}

}  // namespace

Machine& TheMachine() {
    static Machine machine = [] {
        Machine fresh;
        fresh.devices = DefaultCaptureDevices();
        return fresh;
    }();
    return machine;
}

HRESULT EnterCall(Call call) {
    Machine& machine = TheMachine();
    AdvanceClock(machine.clockAdvancePerCallMs);
    const int index = static_cast<int>(call);
    ++machine.callCounts[index];
    Fault& fault = machine.faults[index];
    if (!fault.armed) return S_OK;
    if (!fault.always) fault.armed = false;
    return fault.result;
}

}  // namespace detail

using detail::TheMachine;

void ResetMachine() {
    detail::Machine& machine = TheMachine();
    const uint32_t nextGeneration = machine.generation + 1;
    const auto messageBoxSink = machine.messageBoxSink;
    const auto debugOutputSink = machine.debugOutputSink;
    machine = detail::Machine{};
    machine.generation = nextGeneration;
    machine.messageBoxSink = messageBoxSink;
    machine.debugOutputSink = debugOutputSink;
    machine.devices = detail::DefaultCaptureDevices();
    detail::ResetClock();
    detail::ResetInput();
}

void SetCaptureDevices(const std::vector<DeviceSpec>& devices) {
    TheMachine().devices = devices;
    TheMachine().captureDeviceHistory.clear();
}

void SetCaptureDeviceCount(int n) {
    std::vector<DeviceSpec> devices;
    for (int k = 1; k <= n; ++k) {
        DeviceSpec device;
        device.description = "Simulated capture device " + std::to_string(k);
        device.hasGuid = k > 1;
        device.guid = GUID{0x5e1f0000u + static_cast<uint32_t>(k), 0x4d61, 0x726c,
                           {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, static_cast<uint8_t>(k)}};
        device.module = "simcap" + std::to_string(k) + ".sys";
        devices.push_back(device);
    }
    SetCaptureDevices(devices);
}

void SetCaptureBehaviour(CaptureBehaviour behaviour) { TheMachine().captureBehaviour = behaviour; }
void SetCaptureLateStart(uint32_t milliseconds) { TheMachine().captureLateStartMs = milliseconds; }
int CaptureWritesPastTheEnd() { return TheMachine().captureWritesPastTheEnd; }
void SetCaptureWakeUpPackets(uint32_t packets) { TheMachine().captureWakeUpPackets = packets; }
void SetWideSamplesAccepted(bool on) { TheMachine().wideSamplesAccepted = on; }

void InjectFault(Call call, HRESULT result, bool always) {
    TheMachine().faults[static_cast<int>(call)] = {true, always, result};
}

void ClearFaults() {
    detail::Machine& machine = TheMachine();
    for (detail::Fault& fault : machine.faults) fault = {};
    machine.refuseLongCaptureDescription = false;
}

void RefuseLongCaptureDescription(HRESULT result) {
    TheMachine().refuseLongCaptureDescription = true;
    TheMachine().longCaptureDescriptionResult = result;
}

void SetCoInitializeAlreadyDone(bool on) { TheMachine().coInitializeAlreadyDone = on; }

void SetClockAdvancePerCall(uint32_t milliseconds) { TheMachine().clockAdvancePerCallMs = milliseconds; }

int LiveDirectSoundObjects() { return TheMachine().liveDirectSoundObjects; }
int OutstandingLocks() { return TheMachine().outstandingLocks; }
int ComInitializeBalance() { return TheMachine().comInitializeBalance; }
int LiveGlobalBlocks() { return TheMachine().liveGlobalBlocks; }
int CallCount(Call call) { return TheMachine().callCounts[static_cast<int>(call)]; }
int ReleaseOrderViolations() { return TheMachine().releaseOrderViolations; }

bool LastCaptureBuffer(CaptureBufferInfo* info) {
    if (!TheMachine().hasLastCaptureBuffer) return false;
    if (info) *info = TheMachine().lastCaptureBuffer;
    return true;
}

bool LastCaptureCreateGuid(GUID* guid) {
    if (!TheMachine().hasLastCaptureCreateGuid) return false;
    if (guid) *guid = TheMachine().lastCaptureCreateGuid;
    return true;
}

HWND LastCooperativeWindow() { return TheMachine().lastCooperativeWindow; }
uint32_t LastCooperativeLevel() { return TheMachine().lastCooperativeLevel; }

const std::vector<MessageBoxRecord>& MessageBoxes() { return TheMachine().messageBoxes; }
const std::vector<std::string>& DebugOutput() { return TheMachine().debugOutput; }

void ClearRecords() {
    TheMachine().messageBoxes.clear();
    TheMachine().debugOutput.clear();
}

void SetMessageBoxSink(void (*sink)(const MessageBoxRecord& record)) {
    TheMachine().messageBoxSink = sink;
}

void SetDebugOutputSink(void (*sink)(const char* line)) { TheMachine().debugOutputSink = sink; }

}  // namespace marlowsim
