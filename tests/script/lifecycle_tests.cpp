// Creation, new, the idle notification and forget, with the real
// DirectSoundAudioDevice on the simulated machine.
#include "audio/direct_sound_audio_device.h"
#include "diag/trace_log.h"
#include "host/host_bridge.h"
#include "platform/simulator/control.h"
#include "script/method_number.h"
#include "script_test_support.h"

namespace {

class LifecycleTest : public ScriptTest {
protected:
    DirectSoundAudioDevice* Device() { return static_cast<DirectSoundAudioDevice*>(Instance().audioDevice); }
};

TEST_F(LifecycleTest, FreshInstanceHasTheDefaults) {
    EXPECT_TRUE(Instance().showErrorDialogs);
    EXPECT_FALSE(Instance().traceEnabled);
    EXPECT_EQ(Instance().traceThreshold, 50);
    EXPECT_FALSE(Instance().logToFile);
    EXPECT_STREQ(Instance().internalErrorHandler, "Marlowtide_InternalError");
    EXPECT_STREQ(Instance().errorHandler, "Marlowtide_XtraError");
    EXPECT_STREQ(Instance().flowHandler, "Marlowtide_XtraFlow");
    EXPECT_EQ(Instance().audioDevice, nullptr);
    EXPECT_EQ(Instance().notificationClient, nullptr);
    ASSERT_NE(Instance().hostBridge, nullptr);
    EXPECT_STREQ(Instance().hostBridge->LogPath(), "c:\\Marlowtide_XtraLog.txt");
    EXPECT_STREQ(Instance().status.FormatText(), "Ok");
    EXPECT_EQ(Instance().status.code, -1);
    EXPECT_FALSE(TraceLog::Instance().IsOpen());
    EXPECT_TRUE(host_.Handlers().Calls().empty());
}

TEST_F(LifecycleTest, NewMakesTheDeviceAndRegistersForTheIdleNotification) {
    host_.Handlers().Define("Marlowtide_XtraFlow", [](const std::vector<MoaMmValue>&) {
        return marlowhost::ValueStore::Void();
    });
    New();
    ASSERT_NE(Device(), nullptr);
    EXPECT_EQ(static_cast<void*>(Device()->windowHandle), host_.Window().ParentWindow());
    ASSERT_EQ(host_.Notifications().RegisteredClients(NID_DrNIdle), 1);
    const marlowhost::NotificationRegistration& registration = host_.Notifications().Registrations()[0];
    EXPECT_EQ(registration.client, Instance().notificationClient);
    EXPECT_EQ(*static_cast<const int32_t*>(registration.notifyData), 100);
    EXPECT_EQ(registration.refCon, object_);
    EXPECT_TRUE(host_.Handlers().Calls().empty());

    std::vector<std::string> lines;
    for (const FlowLine& line : script_.OwnLines()) {
        lines.push_back(line.where + " " + line.what);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"m_new Enter", "CreateNewInstance Enter",
                                               "CreateNewInstance Created Windows object", "CreateNewInstance Exit",
                                               "m_new Exit"}));
}

TEST_F(LifecycleTest, RecordingAtItsMaximumEndsAtAnIdleTick) {
    New();
    EXPECT_EQ(CallText(kMethodOpenAudio, {Text("")}), "\"Ok\"");
    EXPECT_EQ(CallText(kMethodStartRecording, {Int(100)}), "\"Ok\"");
    marlowsim::AdvanceClock(300);
    EXPECT_TRUE(Device()->capturing);
    EXPECT_EQ(host_.Idle(), 1);
    EXPECT_FALSE(Device()->capturing);
    EXPECT_GT(Device()->takeBytes, 0u);
}

TEST_F(LifecycleTest, ForgetTakesTheInstanceApartAndASecondForgetIsHarmless) {
    New();
    CallText(kMethodOpenAudio, {Text("")});
    CallText(kMethodPrivateInstance, {Int(3), Int(1), Text("/tmp/marlowtide_script_tests.log")});
    ASSERT_TRUE(TraceLog::Instance().IsOpen());

    MoaMmValue result = Invoke(kMethodForget);
    EXPECT_EQ(Values().TypeOf(result), kMoaMmValueType_Void);
    EXPECT_EQ(host_.Notifications().RegisteredClients(), 0);
    EXPECT_EQ(Instance().notificationClient, nullptr);
    EXPECT_FALSE(Instance().logToFile);
    EXPECT_FALSE(TraceLog::Instance().IsOpen());
    EXPECT_EQ(Instance().audioDevice, nullptr);
    EXPECT_EQ(Instance().hostBridge, nullptr);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
    EXPECT_EQ(host_.OutstandingServiceReferences(), 0);
    EXPECT_EQ(host_.Idle(), 0);

    MoaError answer = -1;
    result = Invoke(kMethodForget, {}, &answer);
    EXPECT_EQ(answer, kMoaErr_NoErr);
    EXPECT_EQ(Values().TypeOf(result), kMoaMmValueType_Void);
}

TEST_F(LifecycleTest, SpentObjectAnswersEveryMethodWithoutResult) {
    script_.forwardReports = true;
    New();
    CallText(kMethodPrivateInstance, {Int(2), Int(1), Int(-1)});
    host_.Handlers().Define("Marlowtide_XtraFlow", [](const std::vector<MoaMmValue>&) {
        return marlowhost::ValueStore::Void();
    });
    CallText(kMethodForget);
    host_.Handlers().ClearRecords();
    marlowsim::ClearRecords();

    for (int32_t method = kMethodNew; method < kMethodCount; ++method) {
        SCOPED_TRACE(method);
        MoaError answer = -1;
        MoaMmValue result = Invoke(method, {Int(1), Text("x"), Int(2)}, &answer);
        EXPECT_EQ(answer, kMoaErr_NoErr);
        EXPECT_EQ(Values().TypeOf(result), kMoaMmValueType_Void);
    }
    // Flow lines still reach the debugger, but no movie handler is called.
    EXPECT_EQ(marlowsim::DebugOutput().size(), 2u * kMethodCount);
    EXPECT_TRUE(host_.Handlers().Calls().empty());
    EXPECT_EQ(Instance().audioDevice, nullptr);
    EXPECT_EQ(host_.OutstandingServiceReferences(), 0);
}

TEST_F(LifecycleTest, ObjectWithoutDeviceAnswersPlainly) {
    // As for an object that never got new, or whose device could not be made.
    EXPECT_EQ(CallText(kMethodIsAudioOpen), "0");
    EXPECT_EQ(CallText(kMethodIsSoundPlaying), "0");
    script_.ClearRecords();
    EXPECT_EQ(CallText(kMethodRecordingNow), "0");
    ASSERT_EQ(script_.OwnLines().size(), 1u);
    EXPECT_EQ(script_.OwnLines()[0].what, "Enter");
    EXPECT_EQ(CallText(kMethodCloseAudio), "\"Error :No audio device (-1)\"");
    EXPECT_EQ(CallText(kMethodGetFormat), "<Void>");
    EXPECT_EQ(CallText(kMethodFindAudioCaptureDevices), "<Void>");
    EXPECT_EQ(CallText(kMethodGetVersionString).rfind("\"xtra Marlowtide", 0), 0u);
    EXPECT_EQ(CallText(kMethodPrivateInstance, {Int(1), Int(1), Text("Routed")}), "\"Ok\"");
    EXPECT_STREQ(Instance().internalErrorHandler, "Routed");
    // forget keeps the bridge of an instance that has no device.
    CallText(kMethodForget);
    EXPECT_NE(Instance().hostBridge, nullptr);
}

}  // namespace
