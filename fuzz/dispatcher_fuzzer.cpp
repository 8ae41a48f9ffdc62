// The dispatcher of a live object on the simulated machine, driven by any
// bytes: random method numbers and arguments, idle ticks, DirectSound
// faults, and movie handlers that call back into the object. Whatever
// happens, the object's end must leave no object, value, DirectSound
// object, lock or COM initialisation behind.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "byte_reader.h"
#include "moa/imoa_mm_xscript.h"
#include "module/class_registry.h"
#include "module/exports.h"
#include "platform/simulator/control.h"
#include "test_host.h"

namespace {

using fuzzing::ByteReader;
using marlowhost::TestHost;

constexpr int kMostSteps = 48;
constexpr int kMostDepth = 3;
constexpr uint32_t kMostIdleMs = 2000;

const HRESULT kFaultCodes[] = {
    static_cast<HRESULT>(0x8007000E), static_cast<HRESULT>(0x80004005), static_cast<HRESULT>(0x80070057),
    static_cast<HRESULT>(0x8878000A), static_cast<HRESULT>(0x88780032), static_cast<HRESULT>(0x88780064),
    static_cast<HRESULT>(0x88780078), static_cast<HRESULT>(0x887800AA), static_cast<HRESULT>(0x88780096),
    static_cast<HRESULT>(0x88780046), static_cast<HRESULT>(0x80004001),
};
constexpr int kFaultCodeCount = sizeof kFaultCodes / sizeof kFaultCodes[0];
constexpr int kFaultableCalls = static_cast<int>(marlowsim::Call::GlobalAlloc) + 1;

const char* const kPropertyNames[] = {"SampleRate", "SampleSize", "NumberOfChannels", "CompressionType",
                                      "Left", "DeviceName", "samplerate", ""};
const char* const kPaths[] = {"take.wav", "missing/take.wav", "/dev/full", "/proc/marlowtide/take.wav",
                              "trace.txt", ""};

std::filesystem::path scratchDirectory;

void IgnoreMessageBox(const marlowsim::MessageBoxRecord&) {}
void IgnoreDebugLine(const char*) {}

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "dispatcher fuzzer: %s\n", what);
        std::abort();
    }
}

// Movie input never names a place outside the scratch directory, except
// the chosen unwritable ones.
std::string Confined(std::string text) {
    for (char& c : text) {
        if (c == '/') {
            c = '_';
        }
    }
    return text;
}

class ValueMaker {
public:
    ValueMaker(ByteReader& input, TestHost& host) : input_(input), host_(host) {}

    MoaMmValue Any(int depth = 0) {
        switch (input_.Byte() % 10) {
            case 0: return marlowhost::ValueStore::Void();
            case 1: return host_.Values().Int(Integer());
            case 2: return host_.Values().Float(Float());
            case 3: return host_.Values().String(Text());
            case 4: return host_.Values().Symbol(Confined(input_.Bytes(input_.Byte() % 24)));
            case 5: return depth < kMostDepth ? List(depth) : host_.Values().Int(0);
            case 6: return depth < kMostDepth ? PropList(depth) : host_.Values().String("");
            case 7: return host_.Values().String(Path());
            case 8: return host_.Values().Symbol(kPropertyNames[input_.Byte() % 8]);
            default: return host_.Values().Int(input_.InRange(-1, 3));
        }
    }

    int32_t Integer() {
        switch (input_.Byte() % 6) {
            case 0: return std::numeric_limits<int32_t>::min();
            case 1: return std::numeric_limits<int32_t>::max();
            case 2: return static_cast<int32_t>(input_.Dword());
            case 3: return -static_cast<int32_t>(input_.Word());
            default: return input_.Word();
        }
    }

    double Float() {
        switch (input_.Byte() % 8) {
            case 0: return std::numeric_limits<double>::quiet_NaN();
            case 1: return std::numeric_limits<double>::infinity();
            case 2: return -std::numeric_limits<double>::infinity();
            case 3: return std::numeric_limits<double>::denorm_min();
            case 4: return 1e300;
            case 5: return input_.RawDouble();
            default: return input_.Word() / 1000.0;
        }
    }

    std::string Text() {
        const size_t length = input_.Word() % 2001;
        switch (input_.Byte() % 4) {
            case 0: return std::string(length, '%');
            case 1: {
                std::string text;
                while (text.size() < length) {
                    text += "%s%n%d%x%%";
                }
                return text.substr(0, length);
            }
            case 2: return std::string(length, static_cast<char>('a' + input_.Byte() % 26));
            default: return Confined(input_.Bytes(length));
        }
    }

    std::string Path() {
        const uint8_t choice = input_.Byte();
        if (choice % 8 == 7) {
            return std::string(input_.InRange(0, 2) + 498, 'n');
        }
        return kPaths[choice % 6];
    }

    MoaMmValue List(int depth) {
        std::vector<MoaMmValue> elements;
        const int count = input_.Byte() % 5;
        for (int i = 0; i < count; ++i) {
            elements.push_back(Any(depth + 1));
        }
        return host_.Values().List(std::move(elements));
    }

    MoaMmValue PropList(int depth) {
        std::vector<std::pair<std::string, MoaMmValue>> properties;
        const int count = input_.Byte() % 5;
        for (int i = 0; i < count; ++i) {
            std::string name = kPropertyNames[input_.Byte() % 8];
            properties.emplace_back(name, Any(depth + 1));
        }
        return host_.Values().PropList(std::move(properties));
    }

    // Arguments of the kind the method expects, so that deep states are reached.
    std::vector<MoaMmValue> Typed(int method) {
        std::vector<MoaMmValue> arguments;
        switch (method) {
            case 3:
                arguments.push_back(host_.Values().String(input_.Byte() % 4 == 0 ? "Simulated capture device 1" : ""));
                break;
            case 6:
            case 9:
                arguments.push_back(host_.Values().Int(input_.Word() % 3000));
                break;
            case 16:
                arguments.push_back(host_.Values().String("take"));
                arguments.push_back(host_.Values().Int(input_.InRange(0, 2)));
                break;
            case 17:
                arguments.push_back(host_.Values().String(Path()));
                break;
            case 19: {
                const int rates[] = {8000, 11025, 22050, 44100};
                std::vector<std::pair<std::string, MoaMmValue>> format;
                format.emplace_back("SampleRate", host_.Values().Float(rates[input_.Byte() % 4] / 1000.0));
                format.emplace_back("SampleSize", host_.Values().Int(input_.Byte() % 2 == 0 ? 8 : 16));
                format.emplace_back("NumberOfChannels", host_.Values().Int(input_.InRange(1, 2)));
                arguments.push_back(host_.Values().PropList(std::move(format)));
                break;
            }
            case 20:
                arguments.push_back(host_.Values().Float(input_.Word() / 1000.0));
                break;
            case 21:
            case 22:
            case 25:
                arguments.push_back(host_.Values().Int(input_.InRange(-1, 17)));
                break;
            case 27:
                arguments.push_back(host_.Values().Int(input_.InRange(1, 3)));
                arguments.push_back(host_.Values().Int(input_.InRange(0, 1)));
                arguments.push_back(input_.Byte() % 2 == 0 ? host_.Values().Int(input_.InRange(0, 100))
                                                           : host_.Values().String(Path()));
                break;
            default:
                break;
        }
        return arguments;
    }

private:
    ByteReader& input_;
    TestHost& host_;
};

// One object of the class linked into this program, made and called as
// the host does.
class LiveObject {
public:
    explicit LiveObject(TestHost& host) : host_(host) {
        xtraClass_.classID = module::kMarlowtideClassID;
        xtraClass_.getInterface = DllGetInterface;
        Require(DllGetClassForm(&xtraClass_.classID, &xtraClass_.objectSize, &xtraClass_.create,
                                &xtraClass_.destroy) == kMoaErr_NoErr,
                "no class form");
        IMoaUnknown* instance = nullptr;
        Require(host_.Objects().Create(xtraClass_, &instance) == kMoaErr_NoErr, "the object was not created");
        self_ = host_.Store().MakeObject(instance, "Marlowtide");
        Require(instance->QueryInterface(&IID_IMoaMmXScript, reinterpret_cast<void**>(&script_)) == kMoaErr_NoErr,
                "no script interface");
        instance->Release();
    }

    ~LiveObject() {
        Call(1, {});
        script_->Release();
        host_.Store().Release(self_);
    }

    // The arguments are the caller's; the result is released here.
    void Call(int method, const std::vector<MoaMmValue>& arguments) {
        std::vector<MoaMmValue> passed;
        passed.push_back(self_);
        passed.insert(passed.end(), arguments.begin(), arguments.end());
        MoaMmCallInfo call = {};
        call.xinst = host_.Store().Object(self_);
        call.methodSelector = method;
        call.nargs = static_cast<MoaLong>(passed.size());
        call.pArgs = passed.data();
        Require(script_->Call(&call) == kMoaErr_NoErr, "Call answered an error");
        host_.Store().Release(call.resultValue);
    }

private:
    TestHost& host_;
    marlowhost::XtraClass xtraClass_;
    MoaMmValue self_ = marlowhost::ValueStore::Void();
    IMoaMmXScript* script_ = nullptr;
};

// The movie's handlers: each may call one method of the object, once, not
// from inside its own call.
void DefineHandlers(TestHost& host, LiveObject& object, ByteReader& input) {
    const char* const names[] = {"Marlowtide_XtraError", "Marlowtide_InternalError", "Marlowtide_XtraFlow"};
    const int reentrantMethods[] = {-1, -1, 4, 5, 1, 11, 14, 8, 17, 13};
    for (const char* name : names) {
        const int method = reentrantMethods[input.Byte() % 10];
        auto inside = std::make_shared<bool>(false);
        host.Handlers().Define(name, [&object, method, inside](const std::vector<MoaMmValue>&) {
            if (method >= 0 && !*inside) {
                *inside = true;
                object.Call(method, {});
                *inside = false;
            }
            return marlowhost::ValueStore::Void();
        });
    }
}

void RemoveScratchFiles() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(scratchDirectory, ignored)) {
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

void Run(ByteReader& input, TestHost& host, bool* unlockFaulted) {
    ValueMaker values(input, host);
    LiveObject object(host);
    object.Call(0, {});
    DefineHandlers(host, object, input);
    for (int step = 0; step < kMostSteps && !input.AtEnd(); ++step) {
        const uint8_t kind = input.Byte() % 8;
        std::vector<MoaMmValue> arguments;
        if (kind == 5) {
            marlowsim::AdvanceClock(input.Word() % (kMostIdleMs + 1));
            host.Idle();
            continue;
        }
        if (kind == 6) {
            const auto call = static_cast<marlowsim::Call>(input.Byte() % kFaultableCalls);
            const uint8_t codeChoice = input.Byte();
            // A fault is a failure: DirectSound never answers success without its object.
            const HRESULT code = codeChoice < 4 * kFaultCodeCount ? kFaultCodes[codeChoice % kFaultCodeCount]
                                                                  : static_cast<HRESULT>(input.Dword() | 0x80000000u);
            *unlockFaulted = *unlockFaulted || call == marlowsim::Call::CaptureUnlock || call == marlowsim::Call::PlayUnlock;
            marlowsim::InjectFault(call, code, input.Byte() % 4 == 0);
            continue;
        }
        int method = 0;
        if (kind == 7) {
            method = input.Byte() % 28;
            arguments = values.Typed(method);
        } else {
            method = input.InRange(-5, 40);
            const int count = input.Byte() % 7;
            for (int i = 0; i < count; ++i) {
                arguments.push_back(values.Any());
            }
        }
        object.Call(method, arguments);
        for (MoaMmValue& argument : arguments) {
            host.Values().Release(&argument);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    marlowsim::SetMessageBoxSink(&IgnoreMessageBox);
    marlowsim::SetDebugOutputSink(&IgnoreDebugLine);
    char pattern[] = "/tmp/marlowtide-fuzz-XXXXXX";
    Require(mkdtemp(pattern) != nullptr, "no scratch directory");
    scratchDirectory = pattern;
    // Files the movie names land here, never beside the sources.
    Require(chdir(pattern) == 0, "cannot enter the scratch directory");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader input(data, size);
    marlowsim::ResetMachine();
    marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
    marlowsim::SetCaptureDeviceCount(1 + input.Byte() % 3);
    bool unlockFaulted = false;
    {
        TestHost host;
        Run(input, host, &unlockFaulted);
        marlowsim::ClearFaults();
        Require(host.Objects().LiveObjects() == 0, "an object outlived its last release");
        Require(host.Values().LiveValues() == 0, "a host value was not released");
        Require(host.Values().BadUses() == 0, "a dead or foreign host value was used");
        Require(host.OutstandingServiceReferences() == 0, "a host service reference was kept");
        Require(host.ServiceOverReleases() == 0, "a host service was released too often");
    }
    Require(DllCanUnloadNow() == kMoaErr_NoErr, "the module is still in use");
    Require(marlowsim::LiveDirectSoundObjects() == 0, "a DirectSound object was not released");
    Require(marlowsim::ComInitializeBalance() == 0, "COM initialisation was not balanced");
    Require(marlowsim::ReleaseOrderViolations() == 0, "a buffer outlived its DirectSound object");
    Require(unlockFaulted || marlowsim::OutstandingLocks() == 0, "a buffer lock was not given back");
    RemoveScratchFiles();
    return 0;
}
