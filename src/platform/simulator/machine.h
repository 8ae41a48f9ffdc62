// The simulated machine behind the platform layer: devices, input signal,
// faults, counts and records. Shared by the simulator and the Windows layer
// beside it only; tests reach it through control.h.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/simulator/control.h"

namespace marlowsim::detail {

// Call::GlobalAlloc is the last of the enumeration.
constexpr int kCallKinds = static_cast<int>(Call::GlobalAlloc) + 1;

struct Fault {
    bool armed = false;
    bool always = false;
    HRESULT result = S_OK;
};

// A time a device went away, and how.
struct DeviceLoss {
    DeviceState how = DeviceState::Removed;
    uint64_t atMs = 0;
};

struct DeviceHistory {
    DeviceState state = DeviceState::Present;
    std::vector<DeviceLoss> losses;
    // When it was last back to Present after a loss.
    uint64_t returnedAtMs = 0;
};

struct Machine {
    // Objects made before the last reset leave the counts of this one alone.
    uint32_t generation = 0;

    std::vector<DeviceSpec> devices;
    Signal channelInput[2];
    CaptureBehaviour captureBehaviour = CaptureBehaviour::Windows;
    uint32_t captureLateStartMs = 0;
    uint32_t captureWakeUpPackets = 1;
    int captureWritesPastTheEnd = 0;
    bool wideSamplesAccepted = false;
    // Capture devices by their place in devices; a list set afresh starts
    // with every device present.
    std::map<int, DeviceHistory> captureDeviceHistory;
    DeviceHistory playbackDeviceHistory;
    int capturesThatNeverDeliver = 0;
    uint32_t captureBuffersRefusedAfterReturnMs = 0;

    Fault faults[kCallKinds];
    int callCounts[kCallKinds] = {};
    bool refuseLongCaptureDescription = false;
    HRESULT longCaptureDescriptionResult = S_OK;
    bool coInitializeAlreadyDone = false;
    uint32_t clockAdvancePerCallMs = 0;

    int liveDirectSoundObjects = 0;
    int outstandingLocks = 0;
    int comInitializeBalance = 0;
    int liveGlobalBlocks = 0;
    int releaseOrderViolations = 0;
    uint64_t nextObjectId = 1;
    std::map<uint64_t, int> liveBuffersByMaker;

    bool hasLastCaptureBuffer = false;
    CaptureBufferInfo lastCaptureBuffer{};
    bool hasLastCaptureCreateGuid = false;
    GUID lastCaptureCreateGuid{};
    HWND lastCooperativeWindow = nullptr;
    uint32_t lastCooperativeLevel = 0;

    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<std::string> debugOutput;
    void (*messageBoxSink)(const MessageBoxRecord& record) = nullptr;
    void (*debugOutputSink)(const char* line) = nullptr;
};

Machine& TheMachine();

// Counts the call; answers the injected fault's result when one is armed,
// else S_OK.
HRESULT EnterCall(Call call);

// Milliseconds of the simulator clock, without wrapping.
uint64_t ClockNow();
void ResetClock();
void WaitOnClock(uint32_t milliseconds);

// The input signal of one channel of a format, at an absolute sample index.
int16_t InputSample(int channel, uint64_t sampleIndex, uint32_t samplesPerSecond);
void ResetInput();

}  // namespace marlowsim::detail
