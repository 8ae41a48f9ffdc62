// A script instance in the test host: the object made by the host with the
// class's create procedure, a recording script interface in front of it,
// and calls made with real host values.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fake_audio_device.h"
#include "script/script_instance.h"
#include "script/script_interface.h"
#include "test_host.h"

struct FlowLine {
    std::string where;
    std::string what;
    int32_t level;
};

struct UserReport {
    std::string description;
    std::string help;
    std::string debug;
};

// Call goes to the dispatcher; the class's own operations record their
// arguments and, with forwardReports, run for real.
class RecordingScript : public ScriptInterface {
public:
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override;
    MoaUlong MOA_STDCALL AddRef() override { return 1; }
    MoaUlong MOA_STDCALL Release() override { return 1; }
    MoaError MOA_STDCALL Call(MoaMmCallInfo* call) override;
    MoaError MOA_STDCALL CallHandler(const char* name, int32_t count, MoaMmValue* args) override;
    MoaError MOA_STDCALL SendInternalErrorToDirector(const char* message, int32_t code) override;
    StatusRecord MOA_STDCALL GetDeviceList(MoaMmCallInfo* call) override;
    MoaError MOA_STDCALL CreateNewInstance(MoaMmCallInfo* call) override;
    MoaError MOA_STDCALL ExecutionFlow(const char* where, const char* what, int32_t level) override;
    MoaError MOA_STDCALL InformUserOfErrorUsingDialog(const char* title, const char* line1, const char* line2,
                                                     const char* extra) override;
    MoaError MOA_STDCALL InformUserViaCallback(const char* description, const char* help,
                                              const char* debug) override;

    // Flow lines that are not the dispatcher's two "Call" lines.
    std::vector<FlowLine> OwnLines() const;
    void ClearRecords();

    InstanceObject* object = nullptr;
    bool forwardReports = false;
    std::vector<FlowLine> flowLines;
    std::vector<UserReport> reports;
    std::vector<std::string> dialogs;          // title|line1|line2
    std::vector<std::string> handlerCalls;     // names
    std::vector<std::string> internalErrors;   // message|code
    // Flow lines and handler runs in the order they happened.
    std::vector<std::string> events;
};

// One object made by the host with the class's create procedure, called
// through a RecordingScript. Forgotten (when live) and released at the end.
class TestObject {
public:
    explicit TestObject(marlowhost::TestHost& host);
    ~TestObject();
    TestObject(const TestObject&) = delete;
    TestObject& operator=(const TestObject&) = delete;

    ScriptInstance& Instance() { return object->instance; }
    // Puts a fake in place of the device that new would make; forget
    // deletes it.
    FakeAudioDevice& InstallFakeDevice();
    // Runs new as the host does; the object gets a DirectSoundAudioDevice.
    void New();

    // Calls the method with the arguments (released afterwards); the result
    // passes to the caller.
    MoaMmValue Invoke(int32_t method, std::vector<MoaMmValue> arguments = {}, MoaError* answer = nullptr);
    // The result as Lingo shows it; "<Void>" for no result.
    std::string CallText(int32_t method, std::vector<MoaMmValue> arguments = {});

    RecordingScript script;
    InstanceObject* object = nullptr;
    IMoaUnknown* unknown = nullptr;
    FakeAudioDevice* fake = nullptr;

private:
    marlowhost::TestHost& host_;
};

// A fresh simulated machine on a manual clock, a test host and one object.
class ScriptTest : public ::testing::Test {
protected:
    ScriptTest();

    ScriptInstance& Instance() { return main_.Instance(); }
    FakeAudioDevice& InstallFakeDevice() {
        fake_ = &main_.InstallFakeDevice();
        return *fake_;
    }
    void New() { main_.New(); }
    MoaMmValue Invoke(int32_t method, std::vector<MoaMmValue> arguments = {}, MoaError* answer = nullptr) {
        return main_.Invoke(method, std::move(arguments), answer);
    }
    std::string CallText(int32_t method, std::vector<MoaMmValue> arguments = {}) {
        return main_.CallText(method, std::move(arguments));
    }

    marlowhost::HostValues& Values() { return host_.Values(); }
    MoaMmValue Int(MoaLong number) { return host_.Values().Int(number); }
    MoaMmValue Text(const std::string& text) { return host_.Values().String(text); }

    marlowhost::TestHost host_;
    TestObject main_{host_};
    RecordingScript& script_ = main_.script;
    InstanceObject*& object_ = main_.object;
    FakeAudioDevice* fake_ = nullptr;
};
