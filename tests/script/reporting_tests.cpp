// Flow lines, user-error reports and internal errors delivered for real:
// debugger output, movie handlers of the test host, message boxes.
#include "platform/simulator/control.h"
#include "script/method_number.h"
#include "script_test_support.h"

namespace {

using marlowhost::HandlerCall;

class ReportingTest : public ScriptTest {
protected:
    ReportingTest() {
        InstallFakeDevice();
        script_.forwardReports = true;
    }

    void TraceFrom(int32_t threshold) {
        CallText(kMethodPrivateInstance, {Int(2), Int(1), Int(threshold)});
        ClearAllRecords();
    }
    void ClearAllRecords() {
        script_.ClearRecords();
        host_.Handlers().ClearRecords();
        marlowsim::ClearRecords();
    }
    // A handler that records its run among the script's events.
    void DefineRecordingHandler(const std::string& name) {
        host_.Handlers().Define(name, [this, name](const std::vector<MoaMmValue>&) {
            script_.events.push_back("handler " + name);
            return marlowhost::ValueStore::Void();
        });
    }
    std::vector<std::string> FlowHandlerArguments() {
        std::vector<std::string> lines;
        for (const HandlerCall& call : host_.Handlers().CallsOf("Marlowtide_XtraFlow")) {
            std::string line;
            for (const std::string& argument : call.arguments) {
                line += argument + " ";
            }
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(ReportingTest, FlowLinesAtOrAboveTheThresholdReachDebuggerAndFlowHandler) {
    DefineRecordingHandler("Marlowtide_XtraFlow");
    TraceFrom(50);
    const int liveBefore = Values().LiveValues();

    script_.ExecutionFlow("m_close", "Enter", 50);
    EXPECT_EQ(marlowsim::DebugOutput(), (std::vector<std::string>{"ExecutionFlow\t:m_close : Enter\n"}));
    const std::vector<HandlerCall> calls = host_.Handlers().CallsOf("Marlowtide_XtraFlow");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].arguments, (std::vector<std::string>{"\"m_close\"", "\"Enter\""}));
    EXPECT_TRUE(calls[0].insideContext);
    EXPECT_EQ(Values().LiveValues(), liveBefore);

    ClearAllRecords();
    script_.ExecutionFlow("m_close", "Enter", 49);
    EXPECT_TRUE(marlowsim::DebugOutput().empty());
    EXPECT_TRUE(host_.Handlers().Calls().empty());

    // At 50 a call's own lines arrive, its "Call" lines at 25 do not.
    CallText(kMethodCloseAudio);
    EXPECT_EQ(FlowHandlerArguments(),
              (std::vector<std::string>{"\"m_close\" \"Enter\" ", "\"m_close\" \"Exit\" "}));
}

TEST_F(ReportingTest, ThresholdMinusOneDeliversEveryLineAndTracingOffNone) {
    TraceFrom(-1);
    CallText(kMethodIsAudioOpen);
    EXPECT_EQ(marlowsim::DebugOutput(),
              (std::vector<std::string>{"ExecutionFlow\t:Call : Enter (4-m_isAudioOpen)\n",
                                        "ExecutionFlow\t:m_isAudioOpen : Enter\n",
                                        "ExecutionFlow\t:m_isAudioOpen : Exit\n",
                                        "ExecutionFlow\t:Call : Exit (4)\n"}));
    EXPECT_EQ(host_.Handlers().MissingCalls().size(), 4u);

    CallText(kMethodPrivateInstance, {Int(2), Int(0)});
    ClearAllRecords();
    CallText(kMethodCloseAudio);
    EXPECT_TRUE(marlowsim::DebugOutput().empty());
    EXPECT_TRUE(host_.Handlers().MissingCalls().empty());
}

TEST_F(ReportingTest, UserErrorGoesToTheErrorHandlerAndABoxTitledError) {
    std::vector<std::pair<std::string, std::string>> report;
    host_.Handlers().Define("Marlowtide_XtraError", [&](const std::vector<MoaMmValue>& arguments) {
        EXPECT_EQ(arguments.size(), 1u);
        for (int position = 1; position <= Values().Count(arguments[0]); ++position) {
            report.emplace_back(Values().PropertyName(arguments[0], position),
                                Values().LingoText(Values().At(arguments[0], position)));
        }
        return marlowhost::ValueStore::Void();
    });
    const int liveBefore = Values().LiveValues();

    EXPECT_EQ(CallText(kMethodOpenAudio, {Int(3)}), "\"Ok\"");
    const std::string id = std::to_string(InstanceId(&script_));
    EXPECT_EQ(report, (std::vector<std::pair<std::string, std::string>>{
                          {"XtraName", "\"Marlowtide\""},
                          {"TYPE", "\"Error\""},
                          {"Id", id},
                          {"Description", "\"Invalid parameter supplied\""},
                          {"Help", "\"The paramter to this should be a string\""},
                      }));
    ASSERT_EQ(marlowsim::MessageBoxes().size(), 1u);
    const marlowsim::MessageBoxRecord& box = marlowsim::MessageBoxes()[0];
    EXPECT_EQ(box.caption, "Marlowtide:Error");
    EXPECT_EQ(box.body, "The paramter to this should be a string\n");
    EXPECT_EQ(box.type, 0u);
    EXPECT_EQ(static_cast<void*>(box.owner), host_.Window().ParentWindow());
    EXPECT_EQ(Values().LiveValues(), liveBefore);

    CallText(kMethodShowErrorsAsDialogs, {Int(0)});
    report.clear();
    CallText(kMethodSaveAsFile, {Int(3)});
    EXPECT_EQ(report.size(), 5u);
    EXPECT_EQ(marlowsim::MessageBoxes().size(), 1u);
}

TEST_F(ReportingTest, MovieWithoutHandlersSeesNoEffect) {
    CallText(kMethodShowErrorsAsDialogs, {Int(0)});
    TraceFrom(-1);
    fake_->Fail("StopCapture", "No capture to stop");
    EXPECT_EQ(CallText(kMethodStopRecording), "\"Error :No capture to stop (-1)\"");
    EXPECT_FALSE(host_.Handlers().MissingCalls().empty());
    EXPECT_TRUE(host_.Handlers().Calls().empty());
    EXPECT_EQ(host_.Context().Depth(), 0);
}

TEST_F(ReportingTest, RoutedEngineFailuresReachTheNamedHandlerBeforeTheMethodReturns) {
    DefineRecordingHandler("MyInternal");
    EXPECT_EQ(CallText(kMethodPrivateInstance, {Int(1), Int(1), Text("MyInternal")}), "\"Ok\"");
    fake_->Fail("Close", "Cannot close", 7);
    script_.ClearRecords();

    EXPECT_EQ(CallText(kMethodCloseAudio), "\"Error :Cannot close (7)\"");
    const std::vector<HandlerCall> calls = host_.Handlers().CallsOf("MyInternal");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].arguments,
              (std::vector<std::string>{std::to_string(InstanceId(&script_)), "\"Cannot close\"", "7"}));
    // Tracing is off, so the dispatcher does not even offer its Call lines.
    const std::vector<std::string> expected = {"flow m_close Enter",
                                               "flow SendInternalErrorToDirector Enter",
                                               "handler MyInternal",
                                               "flow SendInternalErrorToDirector Exit",
                                               "flow m_close Exit"};
    EXPECT_EQ(script_.events, expected);
    EXPECT_EQ(script_.flowLines[1].level, 75);

    // The instance's own failures follow the routing too.
    EXPECT_EQ(CallText(kMethodSetFormat, {Values().PropList({})}),
              "\"Error :SetFormat did not contain any vaild data (-1)\"");
    ASSERT_EQ(host_.Handlers().CallsOf("MyInternal").size(), 2u);
    EXPECT_EQ(host_.Handlers().CallsOf("MyInternal")[1].arguments[1],
              "\"SetFormat did not contain any vaild data\"");

    // Off again, with the initial name: nothing more arrives.
    CallText(kMethodPrivateInstance, {Int(1), Int(0), Text("Marlowtide_InternalError")});
    CallText(kMethodCloseAudio);
    CallText(kMethodSetFormat, {Values().PropList({})});
    EXPECT_EQ(host_.Handlers().CallsOf("MyInternal").size(), 2u);
    EXPECT_TRUE(host_.Handlers().CallsOf("Marlowtide_InternalError").empty());
}

TEST_F(ReportingTest, HandlerMayCallBackIntoTheSameObject) {
    std::string nestedAnswer;
    host_.Handlers().Define("Marlowtide_XtraError", [&](const std::vector<MoaMmValue>&) {
        nestedAnswer = main_.CallText(kMethodPrivateInstance, {Int(255)});
        main_.CallText(kMethodIsAudioOpen);
        return marlowhost::ValueStore::Void();
    });
    fake_->Fail("PlayStart", "No sound to play");

    EXPECT_EQ(CallText(kMethodPlaySound), "\"Error :No sound to play (-1)\"");
    EXPECT_EQ(nestedAnswer, "\"This is not a debug build - NOT VALID HERE\"");
    // The box shows what the outer call reported, not what the nested call left.
    ASSERT_EQ(marlowsim::MessageBoxes().size(), 1u);
    EXPECT_EQ(marlowsim::MessageBoxes()[0].body, "Error :No sound to play (-1)\n");
    EXPECT_EQ(host_.Context().Depth(), 0);
}

TEST_F(ReportingTest, HandlerMayForgetTheObjectItIsReportingFor) {
    host_.Handlers().Define("Marlowtide_XtraError", [&](const std::vector<MoaMmValue>&) {
        main_.Invoke(kMethodForget);
        // Once forgotten, the object answers nothing, also inside the handler.
        MoaMmValue nested = main_.Invoke(kMethodGetVersionString);
        EXPECT_EQ(Values().TypeOf(nested), kMoaMmValueType_Void);
        return marlowhost::ValueStore::Void();
    });
    fake_->Fail("StopCapture", "No capture to stop");

    EXPECT_EQ(CallText(kMethodStopRecording), "\"Error :No capture to stop (-1)\"");
    EXPECT_EQ(Instance().audioDevice, nullptr);
    EXPECT_EQ(Instance().hostBridge, nullptr);
    EXPECT_EQ(host_.Context().Depth(), 0);
    EXPECT_EQ(host_.OutstandingServiceReferences(), 0);
    EXPECT_EQ(CallText(kMethodStopRecording), "<Void>");
}

}  // namespace
