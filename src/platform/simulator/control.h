// What tests and marlowhost use to drive the native platform layer: the
// simulated capture devices, input signal, clock, faults, and the counts
// and records by which tests see what the Xtra did. Native build only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_layer.h"

namespace marlowsim {

// ---- machine ---------------------------------------------------------
// Back to a new machine: one capture device without GUID, real clock,
// a 440 Hz sine at half scale, Windows capture buffers, no faults, records
// emptied.
void ResetMachine();

struct DeviceSpec {
    std::string description;  // UTF-8, as the module name
    bool hasGuid = true;
    GUID guid{};
    std::string module;
};
void SetCaptureDevices(const std::vector<DeviceSpec>& devices);
// n devices "Simulated capture device k" (k from 1), the first without GUID.
void SetCaptureDeviceCount(int n);

// ---- clock: GetTickCount, Sleep and the buffers all follow it ---------
enum class ClockMode { Real, Manual };
void SetClockMode(ClockMode mode);
void AdvanceClock(uint32_t milliseconds);  // manual clock only
uint32_t ClockMilliseconds();
// Manual clock only: every call into the platform layer first lets this
// much time pass, as calls take time on a real machine and the driver goes
// on meanwhile (0, the default: time stands still between calls).
void SetClockAdvancePerCall(uint32_t milliseconds);

// ---- input signal, per channel (0 left, 1 right) ------------------------
enum class Waveform { Silence, Sine, Square, Noise, Samples };
struct Signal {
    Waveform waveform = Waveform::Sine;
    double frequency = 440.0;
    double amplitude = 0.5;           // 0 to 1 of full scale
    std::vector<int16_t> samples;     // Waveform::Samples, repeated, at sampleRate
    uint32_t sampleRate = 44100;
};
void SetInput(const Signal& signal);             // every channel
void SetChannelInput(int channel, const Signal& signal);
// Mono or stereo 8/16-bit PCM WAV; false when it cannot be read.
bool SetInputFromWavFile(const std::string& path);

// ---- how capture buffers behave ----------------------------------------
// A capture buffer takes the behaviour when it is made and the late start
// each time it is started.
enum class CaptureBehaviour {
    // Bytes follow the clock at the format's byte rate; a buffer started once
    // stops when full and then reads 0.
    Windows,
    // As Wine 8's DirectSound on PulseAudio: 10 ms packets, and one write
    // position per capture object that its buffers go on from, never reset.
    // A buffer started once stops at the first packet that does not fit and
    // then reads the part of that packet past its end.
    Wine,
};
void SetCaptureBehaviour(CaptureBehaviour behaviour);
// Wine only: the first packet of a started buffer comes this many ms late
// (the read position stays where it was until then), as a PulseAudio
// monitor that has not settled delivers.
void SetCaptureLateStart(uint32_t milliseconds);
// Wine only: Wine's capture thread wakes once every this many packets
// (1, the default: for each one, as on a machine with time to spare) and
// copies all those waiting, also the ones after a packet that stopped a
// buffer started once, which land at its start.
void SetCaptureWakeUpPackets(uint32_t packets);
// Capture and sound buffers also take 24- and 32-bit PCM, as some Windows
// drivers do (Wine's refuse them with DSERR_BADFORMAT, as the simulator
// does by default). Each sample holds the input's 16 bits in its top two
// bytes, its lower bytes 0.
void SetWideSamplesAccepted(bool on);
// Wine only: packets that Wine would have copied past the end of a capture
// buffer, made while the write position was beyond its size; the simulator
// drops them instead.
int CaptureWritesPastTheEnd();

// ---- devices that go away and come back ---------------------------------
enum class DeviceState {
    Present,
    // Unplugged: its buffers' calls answer DSERR_NODRIVER, and no object or
    // buffer can be made on it.
    Removed,
    // Its source gone as Wine sees it: every call answers S_OK, the status
    // says capturing (or playing) and the positions stand still.
    Stalled,
};
// The capture device at this place in the list (0 the first), or the one
// playback device. Back to Present, the objects made before the loss stay
// broken, as under Wine: their buffers go on as the loss left them and
// creating a buffer on them answers 0x8889000F; fresh objects work.
void SetCaptureDeviceState(int index, DeviceState state);
void SetPlaybackDeviceState(DeviceState state);
// A capture device back to Present after a loss refuses buffers on fresh
// capture objects with 0x8889000F for this long, as Wine's did for up to
// 2.8 s after the device was listed again (0, the default: not at all).
void SetCaptureBuffersRefusedAfterReturn(uint32_t milliseconds);
// The next count capture objects made deliver nothing: their buffers say
// capturing with a read position that never leaves 0, as Wine's sometimes
// do on a fresh object.
void SetCaptureObjectsThatNeverDeliver(int count);

// ---- fault injection --------------------------------------------------
enum class Call {
    CaptureEnumerate,        // DirectSoundCaptureEnumerateW
    DirectSoundCreate,
    DirectSoundCaptureCreate,
    SetCooperativeLevel,
    CreateSoundBuffer,
    CreateCaptureBuffer,     // both description forms
    CaptureStart,
    CaptureStop,
    CaptureGetStatus,
    CaptureGetCurrentPosition,
    CaptureLock,
    CaptureUnlock,
    PlayLock,
    PlayUnlock,
    PlaySetCurrentPosition,
    Play,
    PlayGetStatus,
    PlayStop,
    CoInitialize,            // answers this HRESULT instead of S_OK
    GlobalAlloc,             // any failure code: answers null
};
// The next call (or every call, when always) answers result instead.
void InjectFault(Call call, HRESULT result, bool always = false);
void ClearFaults();
// Only the 28-byte capture description is refused (with result).
void RefuseLongCaptureDescription(HRESULT result);

// CoInitialize answers S_FALSE (already initialised) instead of S_OK.
void SetCoInitializeAlreadyDone(bool on);

// ---- what tests read back ----------------------------------------------
int LiveDirectSoundObjects();     // DirectSound objects and buffers alive
int OutstandingLocks();           // Lock calls not yet unlocked
int ComInitializeBalance();       // successful CoInitialize less CoUninitialize
int LiveGlobalBlocks();           // GlobalAlloc less GlobalFree
int CallCount(Call call);
// Buffers still alive when the DirectSound object that made them was released.
int ReleaseOrderViolations();

struct CaptureBufferInfo {
    uint32_t descriptionSize;     // the dwSize of the description that succeeded
    uint32_t bufferBytes;
    WAVEFORMATEX format;
};
// The last capture buffer created, or false when none was.
bool LastCaptureBuffer(CaptureBufferInfo* info);
// The GUID passed to the last DirectSoundCaptureCreate; false for null.
bool LastCaptureCreateGuid(GUID* guid);
HWND LastCooperativeWindow();
uint32_t LastCooperativeLevel();

struct MessageBoxRecord {
    HWND owner;
    std::string caption;
    std::string body;
    uint32_t type;
};
const std::vector<MessageBoxRecord>& MessageBoxes();
const std::vector<std::string>& DebugOutput();
void ClearRecords();
// Called for every message box and debug line (marlowhost prints them);
// null restores the default of printing message boxes to stderr.
void SetMessageBoxSink(void (*sink)(const MessageBoxRecord& record));
void SetDebugOutputSink(void (*sink)(const char* line));

}  // namespace marlowsim
