#include "simulated_machine.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/simulator/control.h"
#endif

namespace marlowhost {

#if !defined(_WIN32)

namespace {

// The simulator's sinks are plain functions: they reach the transcript here.
Transcript* g_transcript = nullptr;
bool g_manualClock = false;
int g_captureDevices = 0;

void PrintMessageBox(const marlowsim::MessageBoxRecord& record) { g_transcript->MessageBox(record.caption, record.body); }
void PrintDebugLine(const char* line) { g_transcript->DebugLine(line); }

bool ReadNumber(const std::string& text, double low, double high, double* out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    double number = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !(number >= low && number <= high)) return false;
    *out = number;
    return true;
}

// silence, sine:FREQ[:AMP], square:FREQ[:AMP], noise[:AMP], file:PATH.wav
bool ApplyInput(const std::string& source, std::string* error) {
    if (source.compare(0, 5, "file:") == 0) {
        std::string path = source.substr(5);
        if (marlowsim::SetInputFromWavFile(path)) return true;
        *error = "--input " + source + ": cannot read " + path + " as a mono or stereo 8 or 16-bit PCM WAV file";
        return false;
    }
    std::string kind = source.substr(0, source.find(':'));
    std::string rest = kind.size() < source.size() ? source.substr(kind.size() + 1) : "";
    std::string frequency = rest.substr(0, rest.find(':'));
    std::string amplitude = frequency.size() < rest.size() ? rest.substr(frequency.size() + 1) : "";
    marlowsim::Signal signal;
    bool valid = true;
    if (kind == "silence") {
        signal.waveform = marlowsim::Waveform::Silence;
        valid = rest.empty();
    } else if (kind == "noise") {
        signal.waveform = marlowsim::Waveform::Noise;
        valid = rest.empty() || ReadNumber(rest, 0.0, 1.0, &signal.amplitude);
    } else if (kind == "sine" || kind == "square") {
        signal.waveform = kind == "sine" ? marlowsim::Waveform::Sine : marlowsim::Waveform::Square;
        valid = ReadNumber(frequency, 0.001, 100000.0, &signal.frequency) &&
                (amplitude.empty() || ReadNumber(amplitude, 0.0, 1.0, &signal.amplitude));
    } else {
        valid = false;
    }
    if (!valid) {
        *error = "--input " + source + ": expected silence, sine:FREQ[:AMPLITUDE], square:FREQ[:AMPLITUDE], "
                 "noise[:AMPLITUDE] or file:PATH.wav (FREQ in Hz, AMPLITUDE from 0 to 1)";
        return false;
    }
    marlowsim::SetInput(signal);
    return true;
}

// Each named device has a GUID, so that a script can open it by its GUID
// whatever its name.
std::vector<marlowsim::DeviceSpec> NamedDevices(const std::vector<std::string>& names) {
    std::vector<marlowsim::DeviceSpec> devices;
    for (size_t k = 1; k <= names.size(); ++k) {
        marlowsim::DeviceSpec device;
        device.description = names[k - 1];
        device.guid = GUID{0x5e1d0000u + static_cast<uint32_t>(k), 0x4d61, 0x726c,
                           {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, static_cast<uint8_t>(k)}};
        device.module = "simcap" + std::to_string(k) + ".sys";
        devices.push_back(device);
    }
    return devices;
}

}  // namespace

bool MachineIsSimulated() { return true; }

bool SetUpMachine(const MachineOptions& options, Transcript& transcript, std::string* error) {
    marlowsim::ResetMachine();
    if (!ApplyInput(options.input, error)) return false;
    if (options.deviceNames.empty()) {
        marlowsim::SetCaptureDeviceCount(options.devices);
        g_captureDevices = options.devices;
    } else {
        marlowsim::SetCaptureDevices(NamedDevices(options.deviceNames));
        g_captureDevices = static_cast<int>(options.deviceNames.size());
    }
    g_manualClock = options.manualClock;
    marlowsim::SetClockMode(options.manualClock ? marlowsim::ClockMode::Manual : marlowsim::ClockMode::Real);
    g_transcript = &transcript;
    marlowsim::SetMessageBoxSink(PrintMessageBox);
    marlowsim::SetDebugOutputSink(PrintDebugLine);
    return true;
}

int SimulatedCaptureDevices() { return g_captureDevices; }

int32_t MachineMilliseconds() { return static_cast<int32_t>(marlowsim::ClockMilliseconds()); }

void PassTime(int32_t milliseconds) {
    if (milliseconds <= 0) return;
    if (g_manualClock) {
        marlowsim::AdvanceClock(static_cast<uint32_t>(milliseconds));
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

std::string ExecutableFolder(const char* argv0) {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string executable = length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string(argv0);
    size_t slash = executable.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : executable.substr(0, slash + 1);
}

#else

bool MachineIsSimulated() { return false; }

bool SetUpMachine(const MachineOptions& options, Transcript&, std::string* error) {
    if (options.inputGiven || options.devicesGiven || !options.deviceNames.empty() || options.clockGiven) {
        *error = "--input, --devices, --device and --clock need the simulated machine of the native build";
        return false;
    }
    return true;
}

int SimulatedCaptureDevices() { return 0; }

int32_t MachineMilliseconds() { return static_cast<int32_t>(GetTickCount()); }

void PassTime(int32_t milliseconds) {
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

std::string ExecutableFolder(const char*) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string executable(path, length < MAX_PATH ? length : 0);
    size_t slash = executable.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".\\") : executable.substr(0, slash + 1);
}

#endif

}  // namespace marlowhost
