// The dispatcher through real host values, with a fake device and the
// reports recorded.
#include <cstring>
#include <string>

#include "diag/bounded_text.h"
#include "platform/simulator/control.h"
#include "script/method_number.h"
#include "script_test_support.h"

namespace {

// Tracing is on from level 0, so that every flow line reaches the recording
// script; the reports themselves are not run.
class DispatcherTest : public ScriptTest {
protected:
    DispatcherTest() {
        InstallFakeDevice();
        Instance().traceEnabled = true;
        Instance().traceThreshold = 0;
    }

    int CallLineCount() const {
        int count = 0;
        for (const FlowLine& line : script_.flowLines) {
            count += line.where == "Call" ? 1 : 0;
        }
        return count;
    }
};

TEST_F(DispatcherTest, EveryMethodNumberWritesOneEnterAndOneExitLineAtLevel25) {
    for (int32_t method = kMethodGetVersionString; method <= 30; ++method) {
        script_.ClearRecords();
        MoaError answer = -1;
        MoaMmValue result = Invoke(method, {}, &answer);
        Values().Release(&result);
        SCOPED_TRACE("method " + std::to_string(method));
        EXPECT_EQ(answer, kMoaErr_NoErr);
        ASSERT_GE(script_.flowLines.size(), 2u);
        const FlowLine& enter = script_.flowLines.front();
        const FlowLine& exit = script_.flowLines.back();
        EXPECT_EQ(enter.where, "Call");
        EXPECT_EQ(enter.what.rfind("Enter (" + std::to_string(method) + "-", 0), 0u) << enter.what;
        EXPECT_EQ(enter.level, 25);
        EXPECT_EQ(exit.where, "Call");
        EXPECT_EQ(exit.what, "Exit (" + std::to_string(method) + ")");
        EXPECT_EQ(exit.level, 25);
        EXPECT_EQ(CallLineCount(), 2);
    }
}

TEST_F(DispatcherTest, EnterLineNamesTheMethodTraceName) {
    struct Case {
        int32_t method;
        const char* enter;
    };
    const Case cases[] = {
        {kMethodOpenAudio, "Enter (3-)"},
        {kMethodCloseAudio, "Enter (5-m_close)"},
        {kMethodSetChannels, "Enter (22-m_setSampleRate/m_setBitsPerSample/m_setNumChannels)"},
        {kMethodPrivateGlobal, "Enter (26-)"},
        {kMethodPrivateInstance, "Enter (27-m_privateLocal)"},
        {99, "Enter (99-)"},
        {-1, "Enter (-1-)"},
    };
    for (const Case& c : cases) {
        script_.ClearRecords();
        MoaMmValue result = Invoke(c.method);
        Values().Release(&result);
        EXPECT_EQ(script_.flowLines.front().what, c.enter);
    }
}

TEST_F(DispatcherTest, OwnLinesUseTheMethodsLevel) {
    CallText(kMethodCloseAudio);
    ASSERT_EQ(script_.OwnLines().size(), 2u);
    EXPECT_EQ(script_.OwnLines()[0].where, "m_close");
    EXPECT_EQ(script_.OwnLines()[0].what, "Enter");
    EXPECT_EQ(script_.OwnLines()[0].level, 50);
    EXPECT_EQ(script_.OwnLines()[1].what, "Exit");

    script_.ClearRecords();
    CallText(kMethodIsSoundPlaying);
    ASSERT_EQ(script_.OwnLines().size(), 2u);
    EXPECT_EQ(script_.OwnLines()[0].where, "m_isStoredPlaying");
    EXPECT_EQ(script_.OwnLines()[0].level, 25);

    script_.ClearRecords();
    CallText(kMethodOpenAudio, {Text("")});
    EXPECT_TRUE(script_.OwnLines().empty());
    script_.ClearRecords();
    CallText(kMethodPrivateGlobal, {Int(1)});
    EXPECT_TRUE(script_.OwnLines().empty());
}

TEST_F(DispatcherTest, CallLinesFollowTheTraceSwitchAsItStandsAtEachEnd) {
    Instance().traceEnabled = false;
    CallText(kMethodCloseAudio);
    EXPECT_EQ(CallLineCount(), 0);

    // Switched on inside the call: only the Exit line is left to write.
    script_.ClearRecords();
    CallText(kMethodPrivateInstance, {Int(2), Int(1), Int(0)});
    ASSERT_EQ(CallLineCount(), 1);
    EXPECT_EQ(script_.flowLines.back().what, "Exit (27)");

    // Below the threshold there are none either.
    Instance().traceThreshold = 26;
    script_.ClearRecords();
    CallText(kMethodCloseAudio);
    EXPECT_EQ(CallLineCount(), 0);
}

TEST_F(DispatcherTest, UnknownMethodNumberIsTracedAndAnswersZeroWithoutResult) {
    for (int32_t method : {28, 99, -1}) {
        script_.ClearRecords();
        MoaError answer = -1;
        MoaMmValue result = Invoke(method, {Int(1)}, &answer);
        EXPECT_EQ(answer, kMoaErr_NoErr);
        EXPECT_EQ(Values().TypeOf(result), kMoaMmValueType_Void);
        EXPECT_EQ(script_.flowLines.size(), 2u);
    }
    EXPECT_TRUE(fake_->calls.empty());
}

TEST_F(DispatcherTest, EveryCallStartsFromOk) {
    fake_->Fail("Close", "Cannot close");
    EXPECT_EQ(CallText(kMethodCloseAudio), "\"Error :Cannot close (-1)\"");
    EXPECT_EQ(CallText(kMethodPlayStop), "\"Ok\"");

    EXPECT_EQ(CallText(kMethodPrivateInstance, {Int(255)}), "\"This is not a debug build - NOT VALID HERE\"");
    EXPECT_EQ(CallText(kMethodPrivateInstance, {Int(7)}), "\"Ok\"");
    EXPECT_EQ(CallText(kMethodShowErrorsAsDialogs, {Int(1)}), "\"Ok\"");
}

TEST_F(DispatcherTest, BadArgumentsAreReportedAndLeaveTheDeviceAlone) {
    struct Case {
        int32_t method;
        bool withArgument;
        const char* description;
        const char* help;
        const char* debug;
    };
    const Case cases[] = {
        {kMethodOpenAudio, true, "Invalid parameter supplied", "The paramter to this should be a string",
         "Call:OpenAudio"},
        {kMethodOpenAudio, false, "Invalid parameter supplied", "The paramter to this should be a string",
         "Call:OpenAudio"},
        {kMethodStartRecording, true, "Invalid parameter supplied",
         "The paramter to this should be a number to indicate the maximum duration for the capture in milliseconds",
         "Call:StartCapture"},
        {kMethodSaveAsMember, true, "Invalid parameter, expected a string", "This paramter must be a member name",
         "Call:SaveAsMember"},
        {kMethodSaveAsFile, true, "Invalid parameter, expected a string", "This paramter must be a file name",
         "Call:SaveAsFile"},
        {kMethodSaveAsFile, false, "Invalid parameter, expected a string", "This paramter must be a file name",
         "Call:SaveAsFile"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.debug);
        script_.ClearRecords();
        // A text where a number is expected and a number where a text is.
        std::vector<MoaMmValue> arguments;
        if (c.withArgument) {
            arguments.push_back(c.method == kMethodStartRecording ? Text("5000") : Int(7));
        }
        EXPECT_EQ(CallText(c.method, arguments), "\"Ok\"");
        ASSERT_EQ(script_.reports.size(), 1u);
        EXPECT_EQ(script_.reports[0].description, c.description);
        EXPECT_EQ(script_.reports[0].help, c.help);
        EXPECT_EQ(script_.reports[0].debug, c.debug);
    }
    EXPECT_TRUE(fake_->calls.empty());
}

TEST_F(DispatcherTest, EngineFailuresAreReportedOnlyWhereTheMethodSaysSo) {
    fake_->Fail("StopCapture", "No capture to stop");
    EXPECT_EQ(CallText(kMethodStopRecording), "\"Error :No capture to stop (-1)\"");
    ASSERT_EQ(script_.reports.size(), 1u);
    EXPECT_EQ(script_.reports[0].description, "Error :No capture to stop (-1)");
    EXPECT_EQ(script_.reports[0].help, "You must first start a capture");
    EXPECT_EQ(script_.reports[0].debug, "Call:StopCapture");

    script_.ClearRecords();
    fake_->Fail("PlayStart", "No sound to play");
    EXPECT_EQ(CallText(kMethodPlaySound), "\"Error :No sound to play (-1)\"");
    ASSERT_EQ(script_.reports.size(), 1u);
    EXPECT_EQ(script_.reports[0].description, "Error :No sound to play (-1)");
    EXPECT_EQ(script_.reports[0].help, "Error :No sound to play (-1)");
    EXPECT_EQ(script_.reports[0].debug, "Call:PlaySound");

    script_.ClearRecords();
    fake_->calls.clear();
    fake_->Fail("Open", "Device already open");
    fake_->Fail("Close", "Cannot close", 7);
    fake_->Fail("StartCapture", "Open device before capturing");
    fake_->Fail("PlayStop", "No sound playing");
    EXPECT_EQ(CallText(kMethodOpenAudio, {Text("")}), "\"Error :Device already open (-1)\"");
    EXPECT_EQ(CallText(kMethodCloseAudio), "\"Error :Cannot close (7)\"");
    EXPECT_EQ(CallText(kMethodStartRecording, {Int(5000)}), "\"Error :Open device before capturing (-1)\"");
    EXPECT_EQ(CallText(kMethodPlayStop), "\"Error :No sound playing (-1)\"");
    EXPECT_TRUE(script_.reports.empty());
    EXPECT_EQ(fake_->calls[0], "Open()");
    EXPECT_EQ(fake_->calls[2], "StartCapture(5000,once)");
}

TEST_F(DispatcherTest, StartGetInputLevelMetersFor50OrTheGivenDurationAndAnswersNothing) {
    MoaMmValue result = Invoke(kMethodStartGetInputLevel);
    EXPECT_EQ(Values().TypeOf(result), kMoaMmValueType_Void);
    result = Invoke(kMethodStartGetInputLevel, {Int(20)});
    EXPECT_EQ(Values().TypeOf(result), kMoaMmValueType_Void);
    result = Invoke(kMethodStartGetInputLevel, {Text("20")});
    EXPECT_EQ(Values().TypeOf(result), kMoaMmValueType_Void);
    EXPECT_EQ(fake_->calls,
              (std::vector<std::string>{"SetLevelMetering(on,50)", "SetLevelMetering(on,20)", "SetLevelMetering(on,50)"}));
    EXPECT_TRUE(script_.reports.empty());

    fake_->Fail("SetLevelMetering", "Cannot Enable GSIL while playing a sound");
    EXPECT_EQ(CallText(kMethodStartGetInputLevel), "\"Error :Cannot Enable GSIL while playing a sound (-1)\"");
    ASSERT_EQ(script_.reports.size(), 1u);
    EXPECT_EQ(script_.reports[0].help, "You must first start a capture");
    EXPECT_EQ(script_.reports[0].debug, "Call:StartGSIL");

    // StopGetInputLevel keeps its failure in the status and answers nothing.
    script_.ClearRecords();
    result = Invoke(kMethodStopGetInputLevel);
    EXPECT_EQ(Values().TypeOf(result), kMoaMmValueType_Void);
    EXPECT_EQ(fake_->calls.back(), "SetLevelMetering(off,50)");
    EXPECT_TRUE(Instance().status.failed);
    EXPECT_TRUE(script_.reports.empty());
}

TEST_F(DispatcherTest, SaveAsMemberUsesCastLibraryOneUnlessAnotherReads) {
    host_.Movie().AddCastLibrary("Second", 10);
    fake_->image = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    EXPECT_EQ(CallText(kMethodSaveAsMember, {Text("take")}), "\"Ok\"");
    ASSERT_NE(host_.Movie().Cast(1)->MemberNamed("take"), nullptr);
    EXPECT_EQ(host_.Movie().Cast(1)->MemberNamed("take")->Type(), "Sound");

    fake_->image = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    EXPECT_EQ(CallText(kMethodSaveAsMember, {Text("second take"), Int(2)}), "\"Ok\"");
    EXPECT_NE(host_.Movie().Cast(2)->MemberNamed("second take"), nullptr);

    // A cast library number that does not read leaves library 1.
    fake_->image = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    EXPECT_EQ(CallText(kMethodSaveAsMember, {Text("third"), Text("2")}), "\"Ok\"");
    EXPECT_NE(host_.Movie().Cast(1)->MemberNamed("third"), nullptr);

    // The bridge keeps no block: the host copied the media.
    EXPECT_EQ(marlowsim::LiveGlobalBlocks(), 0);
    EXPECT_TRUE(script_.reports.empty());

    fake_->image = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    EXPECT_EQ(CallText(kMethodSaveAsMember, {Text("nowhere"), Int(9)}).rfind("\"Error :could not get access to cast", 0),
              0u);
    EXPECT_EQ(marlowsim::LiveGlobalBlocks(), 0);
}

TEST_F(DispatcherTest, SaveAsMemberStopsARecordingAndReportsAMissingTake) {
    fake_->capturing = true;
    EXPECT_EQ(CallText(kMethodSaveAsMember, {Text("take")}), "\"Ok\"");
    EXPECT_EQ(fake_->calls, (std::vector<std::string>{"IsCapturing", "StopCapture", "SoundImage"}));
    ASSERT_EQ(script_.reports.size(), 1u);
    EXPECT_EQ(script_.reports[0].description, "Ok");
    EXPECT_EQ(script_.reports[0].help, "Have you captured some audio?");
    EXPECT_EQ(script_.reports[0].debug, "Call:SaveAsMember");
    EXPECT_EQ(host_.Movie().Cast(1)->MemberNamed("take"), nullptr);
}

TEST_F(DispatcherTest, SaveAsFileAnswersTheWritersStatus) {
    EXPECT_EQ(CallText(kMethodSaveAsFile, {Text("/tmp/take.wav")}), "\"Ok\"");
    fake_->Fail("SaveAsFile", "Cannot save while capturing");
    EXPECT_EQ(CallText(kMethodSaveAsFile, {Text("/tmp/take.wav")}), "\"Error :Cannot save while capturing (-1)\"");
    EXPECT_EQ(fake_->calls, (std::vector<std::string>{"SaveAsFile(/tmp/take.wav)", "SaveAsFile(/tmp/take.wav)"}));
    EXPECT_TRUE(script_.reports.empty());
}

TEST_F(DispatcherTest, TextsFromTheMovieAreCutToTheirBuffers) {
    const std::string longName(1000, 'n');
    CallText(kMethodOpenAudio, {Text(longName)});
    CallText(kMethodSaveAsFile, {Text(longName)});
    EXPECT_EQ(fake_->calls[0], "Open(" + std::string(499, 'n') + ")");
    // A path longer than any Windows takes still reaches the device as one.
    EXPECT_EQ(fake_->calls[1], "SaveAsFile(" + std::string(kLongestPathBytes + 1, 'n') + ")");

    // A name with format directives is only ever data.
    CallText(kMethodOpenAudio, {Text("%s%n%d")});
    EXPECT_EQ(fake_->calls[2], "Open(%s%n%d)");

    CallText(kMethodPrivateInstance, {Int(1), Int(0), Text(std::string(150, 'h'))});
    EXPECT_EQ(std::string(Instance().internalErrorHandler), std::string(99, 'h'));
}

TEST_F(DispatcherTest, ShowErrorsAsDialogsIsOnOnlyForOne) {
    EXPECT_EQ(CallText(kMethodShowErrorsAsDialogs, {Int(1)}), "\"Ok\"");
    EXPECT_TRUE(Instance().showErrorDialogs);
    EXPECT_EQ(CallText(kMethodShowErrorsAsDialogs, {Int(2)}), "\"Ok\"");
    EXPECT_FALSE(Instance().showErrorDialogs);
    CallText(kMethodShowErrorsAsDialogs, {Int(1)});
    EXPECT_EQ(CallText(kMethodShowErrorsAsDialogs, {Int(0)}), "\"Ok\"");
    EXPECT_FALSE(Instance().showErrorDialogs);
    CallText(kMethodShowErrorsAsDialogs, {Int(1)});
    CallText(kMethodShowErrorsAsDialogs, {Int(-1)});
    EXPECT_FALSE(Instance().showErrorDialogs);
    // Not a number: off.
    CallText(kMethodShowErrorsAsDialogs, {Int(1)});
    EXPECT_EQ(CallText(kMethodShowErrorsAsDialogs, {Text("1")}), "\"Ok\"");
    EXPECT_FALSE(Instance().showErrorDialogs);
}

TEST_F(DispatcherTest, PrivateInstanceSwitches) {
    Instance().traceEnabled = false;
    EXPECT_EQ(CallText(kMethodPrivateInstance, {Int(7), Int(1), Int(1)}), "\"Ok\"");
    EXPECT_FALSE(Instance().traceEnabled);

    EXPECT_EQ(CallText(kMethodPrivateInstance, {Int(2), Int(1), Int(25)}), "\"Ok\"");
    EXPECT_TRUE(Instance().traceEnabled);
    EXPECT_EQ(Instance().traceThreshold, 25);
    // The low byte of 256 is 0; a threshold that does not read stays.
    CallText(kMethodPrivateInstance, {Int(2), Int(256), Text("10")});
    EXPECT_FALSE(Instance().traceEnabled);
    EXPECT_EQ(Instance().traceThreshold, 25);
    CallText(kMethodPrivateInstance, {Int(2)});
    EXPECT_FALSE(Instance().traceEnabled);

    // Routing on attaches the callback to the device; off detaches it.
    CallText(kMethodPrivateInstance, {Int(1), Int(1), Text("Routed")});
    EXPECT_NE(fake_->status.callback, nullptr);
    EXPECT_EQ(fake_->status.userData, &script_);
    EXPECT_STREQ(Instance().internalErrorHandler, "Routed");
    CallText(kMethodPrivateInstance, {Int(1), Int(0), Text("Marlowtide_InternalError")});
    EXPECT_EQ(fake_->status.callback, nullptr);
    EXPECT_EQ(Instance().status.callback, nullptr);
    EXPECT_STREQ(Instance().internalErrorHandler, "Marlowtide_InternalError");
    // An integer that does not read leaves the routing as it is.
    CallText(kMethodPrivateInstance, {Int(1), Text("1")});
    EXPECT_EQ(fake_->status.callback, nullptr);

    // A mode that does not read: nothing but the answer.
    EXPECT_EQ(CallText(kMethodPrivateInstance, {Text("255")}), "\"Ok\"");
    EXPECT_EQ(CallText(kMethodPrivateInstance), "\"Ok\"");
}

TEST_F(DispatcherTest, FixedAnswers) {
    EXPECT_EQ(CallText(kMethodGetVersionString),
              "\"xtra Marlowtide --(WINTEL Release build) -- version 1.0.12(U)(S)\n\"");
    EXPECT_EQ(CallText(kMethodFindAllAudioCompressors), "\"Not implemented yet\"");
    EXPECT_EQ(CallText(kMethodPrivateGlobal, {Int(1), Text("a")}), "<Void>");
    EXPECT_TRUE(fake_->calls.empty());
}

TEST_F(DispatcherTest, FindAudioCaptureDevicesListsEachDeviceAsAPropertyList) {
    fake_->devices.count = 2;
    CopyBounded(fake_->devices.entries[0].description, "Primary Sound Capture Driver");
    CopyBounded(fake_->devices.entries[0].module, "");
    CopyBounded(fake_->devices.entries[1].description, "Line In");
    CopyBounded(fake_->devices.entries[1].module, "line.sys");
    const uint8_t guid[16] = {0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0xF0, 0xDE,
                              0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    std::memcpy(fake_->devices.entries[1].guid, guid, sizeof guid);

    const int liveBefore = Values().LiveValues();
    MoaMmValue list = Invoke(kMethodFindAudioCaptureDevices);
    ASSERT_EQ(Values().TypeOf(list), kMoaMmValueType_List);
    ASSERT_EQ(Values().Count(list), 2);
    const MoaMmValue first = Values().At(list, 1);
    const MoaMmValue second = Values().At(list, 2);
    EXPECT_EQ(Values().PropertyName(second, 1), "DeviceName");
    EXPECT_EQ(Values().PropertyName(second, 2), "GUID");
    EXPECT_EQ(Values().PropertyName(second, 3), "Module");
    EXPECT_EQ(Values().StringOf(Values().Property(first, "DeviceName")), "Primary Sound Capture Driver");
    EXPECT_EQ(Values().StringOf(Values().Property(first, "GUID")), "00000000-0000-0000-0000-000000000000");
    EXPECT_EQ(Values().StringOf(Values().Property(second, "GUID")), "12345678-9ABC-DEF0-0123-456789ABCDEF");
    EXPECT_EQ(Values().StringOf(Values().Property(second, "Module")), "line.sys");
    Values().Release(&list);
    EXPECT_EQ(Values().LiveValues(), liveBefore);
}

}  // namespace
