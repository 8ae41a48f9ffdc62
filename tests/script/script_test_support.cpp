#include "script_test_support.h"

#include "host/host_bridge.h"
#include "platform/simulator/control.h"
#include "script/method_number.h"
#include "script/script_operations.h"

namespace {

constexpr MoaClassID kTestClassID = {0x4D61726C, 0x6F77, 0x7469, {0x64, 0x65, 0x54, 0x65, 0x73, 0x74, 0x00, 0x01}};

// The notification client the class hands out: counted, holding its owner.
class TestNotificationClient final : public IMoaNotificationClient {
public:
    explicit TestNotificationClient(InstanceObject* owner) : owner_(owner) { owner_->header.AsUnknown()->AddRef(); }

    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override {
        return owner_->header.AsUnknown()->QueryInterface(iid, out);
    }
    MoaUlong MOA_STDCALL AddRef() override { return static_cast<MoaUlong>(++count_); }
    MoaUlong MOA_STDCALL Release() override {
        const MoaLong left = --count_;
        if (left == 0) {
            InstanceObject* owner = owner_;
            delete this;
            owner->header.AsUnknown()->Release();
        }
        return static_cast<MoaUlong>(left);
    }
    MoaError MOA_STDCALL Notify(const MoaNotifyID*, void*, void*) override { return script::Notify(owner_); }

private:
    InstanceObject* owner_;
    MoaLong count_ = 1;
};

MoaError MOA_STDCALL GetTestInterface(void* object, const MoaClassID*, const MoaInterfaceID* iid, void** out) {
    if (!MoaEqualID(*iid, IID_IMoaNotificationClient)) {
        return kMoaErr_BadInterface;
    }
    *out = static_cast<IMoaNotificationClient*>(new TestNotificationClient(static_cast<InstanceObject*>(object)));
    return kMoaErr_NoErr;
}

std::string Join(const char* a, const char* b, const char* c = nullptr) {
    std::string text = std::string(a) + "|" + b;
    if (c != nullptr) {
        text += std::string("|") + c;
    }
    return text;
}

}  // namespace

MoaError MOA_STDCALL RecordingScript::QueryInterface(const MoaInterfaceID* iid, void** out) {
    return object->header.AsUnknown()->QueryInterface(iid, out);
}

MoaError MOA_STDCALL RecordingScript::Call(MoaMmCallInfo* call) {
    return script::Call(this, object, call);
}

MoaError MOA_STDCALL RecordingScript::CallHandler(const char* name, int32_t count, MoaMmValue* args) {
    handlerCalls.push_back(name);
    return forwardReports ? script::CallHandler(object, name, count, args) : kMoaErr_NoErr;
}

MoaError MOA_STDCALL RecordingScript::SendInternalErrorToDirector(const char* message, int32_t code) {
    internalErrors.push_back(std::string(message) + "|" + std::to_string(code));
    return forwardReports ? script::SendInternalErrorToDirector(this, object, message, code) : kMoaErr_NoErr;
}

StatusRecord MOA_STDCALL RecordingScript::GetDeviceList(MoaMmCallInfo* call) {
    return script::GetDeviceList(this, object, call);
}

MoaError MOA_STDCALL RecordingScript::CreateNewInstance(MoaMmCallInfo* call) {
    return script::CreateNewInstance(this, object, call);
}

MoaError MOA_STDCALL RecordingScript::ExecutionFlow(const char* where, const char* what, int32_t level) {
    flowLines.push_back({where, what, level});
    events.push_back(std::string("flow ") + where + " " + what);
    return forwardReports ? script::ExecutionFlow(object, where, what, level) : kMoaErr_NoErr;
}

MoaError MOA_STDCALL RecordingScript::InformUserOfErrorUsingDialog(const char* title, const char* line1,
                                                                  const char* line2, const char* extra) {
    dialogs.push_back(Join(title, line1, line2));
    return forwardReports ? script::InformUserOfErrorUsingDialog(this, object, title, line1, line2, extra)
                          : kMoaErr_NoErr;
}

MoaError MOA_STDCALL RecordingScript::InformUserViaCallback(const char* description, const char* help,
                                                           const char* debug) {
    reports.push_back({description, help, debug});
    return forwardReports ? script::InformUserViaCallback(this, object, description, help, debug) : kMoaErr_NoErr;
}

std::vector<FlowLine> RecordingScript::OwnLines() const {
    std::vector<FlowLine> own;
    for (const FlowLine& line : flowLines) {
        if (line.where != "Call") {
            own.push_back(line);
        }
    }
    return own;
}

void RecordingScript::ClearRecords() {
    flowLines.clear();
    reports.clear();
    dialogs.clear();
    handlerCalls.clear();
    internalErrors.clear();
    events.clear();
}

TestObject::TestObject(marlowhost::TestHost& host) : host_(host) {
    marlowhost::XtraClass xtraClass;
    xtraClass.classID = kTestClassID;
    xtraClass.objectSize = script::InstanceObjectSize();
    xtraClass.create = script::CreateInstance;
    xtraClass.destroy = script::DestroyInstance;
    xtraClass.getInterface = GetTestInterface;
    EXPECT_EQ(host_.Objects().Create(xtraClass, &unknown), kMoaErr_NoErr);
    object = reinterpret_cast<InstanceObject*>(unknown);
    script.object = object;
}

TestObject::~TestObject() {
    script.forwardReports = false;
    if (Instance().hostBridge != nullptr && Instance().audioDevice != nullptr) {
        Invoke(kMethodForget);
    }
    // An instance that never had a device keeps its bridge through forget.
    delete Instance().hostBridge;
    Instance().hostBridge = nullptr;
    unknown->Release();
}

FakeAudioDevice& TestObject::InstallFakeDevice() {
    fake = new FakeAudioDevice;
    Instance().audioDevice = fake;
    return *fake;
}

void TestObject::New() {
    MoaMmValue result = Invoke(kMethodNew);
    EXPECT_EQ(host_.Values().TypeOf(result), kMoaMmValueType_Void);
}

MoaMmValue TestObject::Invoke(int32_t method, std::vector<MoaMmValue> arguments, MoaError* answer) {
    std::vector<MoaMmValue> slots;
    slots.push_back(marlowhost::ValueStore::Void());
    slots.insert(slots.end(), arguments.begin(), arguments.end());
    MoaMmCallInfo call = {};
    call.methodSelector = method;
    call.resultValue = marlowhost::ValueStore::Void();
    call.nargs = static_cast<MoaLong>(slots.size());
    call.pArgs = slots.data();
    const MoaError code = script.Call(&call);
    if (answer != nullptr) {
        *answer = code;
    }
    for (MoaMmValue& argument : arguments) {
        host_.Values().Release(&argument);
    }
    return call.resultValue;
}

std::string TestObject::CallText(int32_t method, std::vector<MoaMmValue> arguments) {
    MoaMmValue result = Invoke(method, std::move(arguments));
    const std::string text = host_.Values().LingoText(result);
    host_.Values().Release(&result);
    return text;
}

ScriptTest::ScriptTest() {
    marlowsim::ResetMachine();
    marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
}
