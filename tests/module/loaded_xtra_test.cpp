// The Xtra as Director meets it: the built library loaded by the test host,
// reached only through its exports, registered, and its objects driven
// through Call and the idle notification.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "audio/wave_image_parser.h"
#include "moa/imoa_mm_xscript.h"
#include "moa/imoa_notification.h"
#include "moa/imoa_register.h"
#include "module/class_registry.h"
#include "platform/simulator/control.h"
#include "script/script_instance.h"
#include "test_host.h"
#include "xtra_instance.h"
#include "xtra_loader.h"

namespace {

namespace fs = std::filesystem;
using marlowhost::XtraInstance;

constexpr MoaClassID kOtherClassID = {0x11111111, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}};
constexpr MoaInterfaceID kUnknownInterfaceID = {0x12345678, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};
void* const kUntouched = reinterpret_cast<void*>(0x5A5A5A5A);

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool OpenInThisProcess(const fs::path& path) {
    std::error_code error;
    const fs::path wanted = fs::weakly_canonical(path, error);
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc/self/fd", error)) {
        std::error_code linkError;
        if (fs::read_symlink(entry.path(), linkError) == wanted) {
            return true;
        }
    }
    return false;
}

class LoadedXtra : public ::testing::Test {
protected:
    void SetUp() override {
        marlowsim::ResetMachine();
        ASSERT_TRUE(loader.Load(MARLOWTIDE_XTRA_LIBRARY)) << loader.FailureText();
    }

    // An instance object as the host makes it before `new`, released by the caller.
    IMoaUnknown* CreateObject() {
        IMoaUnknown* object = nullptr;
        EXPECT_EQ(host.Objects().Create(loader.Class(), &object), kMoaErr_NoErr);
        return object;
    }
    InstanceObject* InstanceOf(const MoaMmValue& value) {
        return reinterpret_cast<InstanceObject*>(host.Store().Object(value));
    }
    MoaMmValue Text(const std::string& text) { return host.Values().String(text); }
    MoaMmValue Int(MoaLong number) { return host.Values().Int(number); }

    marlowhost::TestHost host;
    marlowhost::XtraLoader loader{host};
};

TEST_F(LoadedXtra, ClassInfoGivesFiveRecordsInRegistryOrder) {
    MoaClassInterfaceInfo* records = nullptr;
    ASSERT_EQ(loader.Exports().getClassInfo(host.Calloc(), &records), kMoaErr_NoErr);
    const MoaInterfaceID expected[] = {IID_IMoaClassFactory, IID_IMoaRegister, IID_IMoaMmXScript,
                                       IID_IMoaNotificationClient};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(MoaEqualID(records[i].classID, module::kMarlowtideClassID));
        EXPECT_EQ(records[i].classVersion, 0x01000C40);
        EXPECT_TRUE(MoaEqualID(records[i].interfaceID, expected[i]));
        EXPECT_EQ(records[i].interfaceVersion, i == 0 ? 1 : 0x01000C40);
    }
    EXPECT_TRUE(MoaEqualID(records[4].classID, IID_NULL_MOA));
    EXPECT_TRUE(MoaEqualID(records[4].interfaceID, IID_NULL_MOA));
    host.Calloc()->NRFree(records);
}

TEST_F(LoadedXtra, UnknownClassAndInterfaceAreRefused) {
    MoaLong size = 0;
    MoaCreatedProc create = nullptr;
    MoaDestroyedProc destroy = nullptr;
    EXPECT_EQ(loader.Exports().getClassForm(&kOtherClassID, &size, &create, &destroy), kMoaErr_BadClass);
    EXPECT_EQ(size, 0);
    void* out = kUntouched;
    EXPECT_EQ(loader.Exports().getClassObject(&module::kMarlowtideClassID, &IID_IMoaUnknown, &out), kMoaErr_BadClass);

    IMoaUnknown* object = CreateObject();
    EXPECT_EQ(loader.Exports().getInterface(object, &kOtherClassID, &IID_IMoaMmXScript, &out), kMoaErr_BadInterface);
    EXPECT_EQ(loader.Exports().getInterface(object, nullptr, &kUnknownInterfaceID, &out), kMoaErr_BadInterface);
    EXPECT_EQ(out, kUntouched);
    EXPECT_EQ(loader.CanUnloadNow(), kMoaErr_NoErr);
    object->Release();
}

TEST_F(LoadedXtra, EveryInterfaceAnswersQueriesAsTheInstance) {
    IMoaUnknown* object = CreateObject();
    const MoaInterfaceID* classInterfaces[] = {&IID_IMoaRegister, &IID_IMoaMmXScript, &IID_IMoaNotificationClient};
    const MoaInterfaceID* queries[] = {&IID_IMoaRegister, &IID_IMoaMmXScript, &IID_IMoaNotificationClient,
                                       &IID_IMoaUnknown, &kUnknownInterfaceID};
    for (const MoaInterfaceID* held : classInterfaces) {
        IMoaUnknown* iface = nullptr;
        ASSERT_EQ(object->QueryInterface(held, reinterpret_cast<void**>(&iface)), kMoaErr_NoErr);
        EXPECT_EQ(loader.CanUnloadNow(), kMoaErr_XtraInUse);
        for (const MoaInterfaceID* query : queries) {
            void* throughInterface = nullptr;
            void* throughInstance = nullptr;
            const MoaError viaInterface = iface->QueryInterface(query, &throughInterface);
            const MoaError viaInstance = object->QueryInterface(query, &throughInstance);
            EXPECT_EQ(viaInterface, viaInstance);
            EXPECT_EQ(throughInterface == nullptr, throughInstance == nullptr);
            if (query == &IID_IMoaUnknown) {
                EXPECT_EQ(throughInterface, object);
            }
            for (void* got : {throughInterface, throughInstance}) {
                if (got != nullptr) {
                    static_cast<IMoaUnknown*>(got)->Release();
                }
            }
        }
        iface->Release();
        EXPECT_EQ(loader.CanUnloadNow(), kMoaErr_NoErr);
    }
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(host.Objects().LiveObjects(), 0);
}

TEST_F(LoadedXtra, RegisteredTextIsTheGoldenText) {
    EXPECT_EQ(loader.RegisterResult(), kMoaErr_NoErr);
    const std::string golden = ReadFile(MARLOWTIDE_MODULE_GOLDEN_DIR "/registration.txt");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(loader.MessageTable(), golden);
    EXPECT_EQ(loader.XtraName(), "Marlowtide");

    const marlowhost::RegistryDictionary* entry = host.Registry().Find(module::kMarlowtideClassID, IID_IMoaMmXScript);
    ASSERT_NE(entry, nullptr);
    const marlowhost::DictEntry* table = entry->Find("msgTable");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->type, 9u);
    EXPECT_EQ(table->size, 0);
    const marlowhost::DictEntry* safe = entry->Find("safeForShockwave");
    ASSERT_NE(safe, nullptr);
    EXPECT_EQ(safe->type, 6u);
    EXPECT_EQ(safe->size, 1);
    EXPECT_EQ(safe->data, std::vector<uint8_t>{1});
    EXPECT_TRUE(loader.HasSafeForShockwave());
    EXPECT_TRUE(loader.SafeForShockwave());
}

TEST_F(LoadedXtra, TheHostNumbersTwentyEightMethods) {
    const marlowhost::MethodTable& methods = loader.Methods();
    EXPECT_EQ(methods.Count(), 28);
    EXPECT_EQ(methods.Find("new"), 0);
    EXPECT_EQ(methods.Find("forget"), 1);
    EXPECT_EQ(methods.Find("GetVersionString"), 2);
    EXPECT_EQ(methods.Find("PrivateGlobal"), 26);
    EXPECT_EQ(methods.Find("PrivateInstance"), 27);

    // The dispatcher agrees with the host's numbering.
    XtraInstance object(loader);
    EXPECT_EQ(object.CallText("GetVersionString"),
              "\"xtra Marlowtide --(WINTEL Release build) -- version 1.0.12(U)(S)\n\"");
    EXPECT_EQ(object.CallText("FindAllAudioCompressors"), "\"Not implemented yet\"");
    EXPECT_EQ(object.CallText("PrivateInstance", {Int(255)}), "\"This is not a debug build - NOT VALID HERE\"");
    object.Forget();
}

TEST_F(LoadedXtra, RegisterWithAFailingAllocatorPutsNothing) {
    host.Registry().Clear();
    IMoaUnknown* object = CreateObject();
    IMoaRegister* registration = nullptr;
    ASSERT_EQ(object->QueryInterface(&IID_IMoaRegister, reinterpret_cast<void**>(&registration)), kMoaErr_NoErr);
    const int blocksBefore = host.Memory().LiveBlocks();

    host.Memory().FailNext(1);
    EXPECT_EQ(registration->Register(&host.Registry(), &host.Registry().XtraDictionary()), kMoaErr_OutOfMem);
    const marlowhost::RegistryDictionary* entry = host.Registry().Find(module::kMarlowtideClassID, IID_IMoaMmXScript);
    ASSERT_NE(entry, nullptr) << "the entry is added before the text is made";
    EXPECT_EQ(entry->Puts(), 0);
    EXPECT_EQ(host.Memory().LiveBlocks(), blocksBefore);

    // Once memory is back, the same interface registers in full.
    EXPECT_EQ(registration->Register(&host.Registry(), &host.Registry().XtraDictionary()), kMoaErr_NoErr);
    EXPECT_NE(entry->Find("msgTable"), nullptr);
    EXPECT_EQ(host.Memory().LiveBlocks(), blocksBefore);
    registration->Release();
    object->Release();
}

TEST_F(LoadedXtra, ACreatedObjectHasTheDefaultsAndTouchesNothing) {
    IMoaUnknown* object = CreateObject();
    const ScriptInstance& instance = reinterpret_cast<InstanceObject*>(object)->instance;
    EXPECT_TRUE(instance.showErrorDialogs);
    EXPECT_FALSE(instance.traceEnabled);
    EXPECT_EQ(instance.traceThreshold, 50);
    EXPECT_FALSE(instance.logToFile);
    EXPECT_STREQ(instance.internalErrorHandler, "Marlowtide_InternalError");
    EXPECT_STREQ(instance.errorHandler, "Marlowtide_XtraError");
    EXPECT_STREQ(instance.flowHandler, "Marlowtide_XtraFlow");
    EXPECT_STREQ(instance.status.message, "Ok");
    EXPECT_EQ(instance.status.code, -1);
    EXPECT_FALSE(instance.status.failed);
    EXPECT_NE(instance.hostBridge, nullptr);
    EXPECT_EQ(instance.audioDevice, nullptr);
    EXPECT_EQ(instance.notificationClient, nullptr);

    EXPECT_TRUE(host.Handlers().Calls().empty());
    EXPECT_TRUE(host.Handlers().MissingCalls().empty());
    EXPECT_EQ(host.Notifications().RegisteredClients(), 0);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::CoInitialize), 0);
    object->Release();
}

TEST_F(LoadedXtra, NewRegistersForIdleAndCallsNoMovieHandler) {
    for (const char* name : {"Marlowtide_XtraFlow", "Marlowtide_XtraError", "Marlowtide_InternalError"}) {
        host.Handlers().Define(name, [](const std::vector<MoaMmValue>&) { return MoaMmValue{0, 0}; });
    }
    XtraInstance object(loader);
    ASSERT_EQ(object.NewResult(), kMoaErr_NoErr);
    EXPECT_TRUE(host.Handlers().Calls().empty());
    EXPECT_TRUE(host.Handlers().MissingCalls().empty());

    const ScriptInstance& instance = InstanceOf(object.Value())->instance;
    EXPECT_NE(instance.audioDevice, nullptr);
    EXPECT_NE(instance.notificationClient, nullptr);
    EXPECT_TRUE(instance.showErrorDialogs);
    EXPECT_EQ(instance.traceThreshold, 50);

    ASSERT_EQ(host.Notifications().RegisteredClients(NID_DrNIdle), 1);
    const marlowhost::NotificationRegistration& registration = host.Notifications().Registrations()[0];
    EXPECT_EQ(registration.refCon, static_cast<const void*>(InstanceOf(object.Value())));
    EXPECT_EQ(*static_cast<const MoaLong*>(registration.notifyData), 100);
    EXPECT_EQ(loader.CanUnloadNow(), kMoaErr_XtraInUse) << "the host holds the notification client";
    EXPECT_EQ(host.Idle(), 1);
    object.Forget();
}

TEST_F(LoadedXtra, ARecordingAtItsMaximumEndsAtAnIdleTick) {
    marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
    XtraInstance object(loader);
    ASSERT_EQ(object.CallText("OpenAudio", {Text("")}), "\"Ok\"");
    ASSERT_EQ(object.CallText("StartRecording", {Int(500)}), "\"Ok\"");
    marlowsim::AdvanceClock(600);

    const int statusPolls = marlowsim::CallCount(marlowsim::Call::CaptureGetStatus);
    EXPECT_EQ(host.Idle(), 1);
    EXPECT_GT(marlowsim::CallCount(marlowsim::Call::CaptureGetStatus), statusPolls);
    // The idle tick already ended the take, so nothing is left to stop.
    EXPECT_EQ(object.CallText("StopRecording"), "\"Error :No capture to stop (-1)\"");
    object.Forget();
}

TEST_F(LoadedXtra, AnIdleTickBeforeTheMaximumLeavesTheRecordingRunning) {
    marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
    XtraInstance object(loader);
    ASSERT_EQ(object.CallText("OpenAudio", {Text("")}), "\"Ok\"");
    ASSERT_EQ(object.CallText("StartRecording", {Int(500)}), "\"Ok\"");
    marlowsim::AdvanceClock(100);
    EXPECT_EQ(host.Idle(), 1);
    EXPECT_EQ(object.CallText("RecordingNow"), "1");
    EXPECT_EQ(object.CallText("StopRecording"), "\"Ok\"");
    object.Forget();
}

TEST_F(LoadedXtra, AfterForgetNothingOfTheObjectIsLeft) {
    const fs::path logPath = fs::temp_directory_path() / ("marlowtide_module_" + std::to_string(getpid()) + ".txt");
    const int valuesBefore = host.Values().LiveValues();
    // The instance that only registered the class has given everything back.
    const int servicesBefore = host.OutstandingServiceReferences();
    ASSERT_EQ(servicesBefore, 0);
    {
        XtraInstance object(loader);
        ASSERT_EQ(object.CallText("PrivateInstance", {Int(3), Int(1), Text(logPath.string())}), "\"Ok\"");
        ASSERT_TRUE(OpenInThisProcess(logPath)) << "the log file is open while logging";
        ASSERT_EQ(object.CallText("OpenAudio", {Text("")}), "\"Ok\"");
        ASSERT_EQ(object.CallText("StartRecording", {Int(2000)}), "\"Ok\"");
        ASSERT_GT(marlowsim::LiveDirectSoundObjects(), 0);

        const int notifies = host.Notifications().NotifyCalls();
        EXPECT_EQ(object.Forget(), kMoaErr_NoErr);
        EXPECT_EQ(host.Notifications().RegisteredClients(), 0);
        EXPECT_EQ(host.Idle(), 0);
        EXPECT_EQ(host.Notifications().NotifyCalls(), notifies);
    }
    EXPECT_FALSE(OpenInThisProcess(logPath));
    EXPECT_EQ(ReadFile(logPath).rfind("Code compile date:", 0), 0u);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
    EXPECT_EQ(host.Values().LiveValues(), valuesBefore);
    EXPECT_EQ(host.Values().BadUses(), 0);
    EXPECT_EQ(host.Objects().LiveObjects(), 0);
    EXPECT_EQ(host.OutstandingServiceReferences(), servicesBefore);
    EXPECT_EQ(host.ServiceOverReleases(), 0);
    EXPECT_EQ(loader.CanUnloadNow(), kMoaErr_NoErr);
    fs::remove(logPath);
}

TEST_F(LoadedXtra, AnObjectReleasedWithoutForgetGivesBackItsDeviceAndServices) {
    IMoaUnknown* object = CreateObject();
    ASSERT_NE(object, nullptr);
    ASSERT_GT(host.OutstandingServiceReferences(), 0);
    object->Release();
    EXPECT_EQ(host.Objects().LiveObjects(), 0);
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
    EXPECT_EQ(host.ServiceOverReleases(), 0);
}

// Director may ask for the script interface per call; the one that switched
// routing on must still be there when a later call fails.
TEST_F(LoadedXtra, RoutingOutlivesTheInterfaceThatSwitchedItOn) {
    host.Handlers().Define("Marlowtide_InternalError", [](const std::vector<MoaMmValue>&) { return MoaMmValue{0, 0}; });
    IMoaUnknown* object = CreateObject();
    ASSERT_NE(object, nullptr);
    MoaMmValue self = host.Store().MakeObject(object, "Marlowtide");
    auto callThroughFreshInterface = [&](int method, std::vector<MoaMmValue> arguments) {
        IMoaMmXScript* script = nullptr;
        EXPECT_EQ(loader.Exports().getInterface(object, nullptr, &IID_IMoaMmXScript, reinterpret_cast<void**>(&script)),
                  kMoaErr_NoErr);
        arguments.insert(arguments.begin(), self);
        MoaMmCallInfo call = {};
        call.methodSelector = method;
        call.nargs = static_cast<MoaLong>(arguments.size());
        call.pArgs = arguments.data();
        EXPECT_EQ(script->Call(&call), kMoaErr_NoErr);
        script->Release();
        host.Store().Release(call.resultValue);
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            host.Store().Release(arguments[i]);
        }
    };
    const int privateInstance = loader.Methods().Find("PrivateInstance");
    const int playSound = loader.Methods().Find("PlaySound");
    callThroughFreshInterface(0, {});
    callThroughFreshInterface(privateInstance, {Int(1), Int(1)});
    callThroughFreshInterface(playSound, {});  // closed device: an engine failure
    ASSERT_EQ(host.Handlers().CallsOf("Marlowtide_InternalError").size(), 1u);
    callThroughFreshInterface(1, {});
    host.Store().Release(self);
    object->Release();
    EXPECT_EQ(host.Objects().LiveObjects(), 0);
    EXPECT_EQ(loader.CanUnloadNow(), kMoaErr_NoErr);
}

TEST_F(LoadedXtra, SaveAsMemberMakesASoundMemberWithAWaveImage) {
    marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
    XtraInstance object(loader);
    ASSERT_EQ(object.CallText("OpenAudio", {Text("")}), "\"Ok\"");
    ASSERT_EQ(object.CallText("StartRecording", {Int(300)}), "\"Ok\"");
    marlowsim::AdvanceClock(400);
    host.Idle();
    EXPECT_EQ(object.CallText("SaveAsMember", {Text("take")}), "\"Ok\"");

    const marlowhost::CastMember* member = host.Movie().Cast(1)->MemberNamed("take");
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->MediaFormat(), "winWAVE");
    ASSERT_TRUE(member->HasMedia());
    const uint8_t* format = nullptr;
    const uint8_t* data = nullptr;
    uint32_t dataLength = 0;
    EXPECT_EQ(ParseWaveImage(member->Media().data(), member->Media().size(), {&format, &data, &dataLength}), nullptr);
    // 300 ms of the default format, 11025 Hz, 16-bit mono.
    EXPECT_GE(dataLength, 6614u);
    EXPECT_EQ(marlowsim::LiveGlobalBlocks(), 0) << "the take's block goes back after SetMedia";
    object.Forget();
}

}  // namespace
