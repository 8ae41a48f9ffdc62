#include <gtest/gtest.h>

#include "platform/simulator/control.h"
#include "platform/windows_api.h"

namespace {

std::vector<std::string> sunkLines;
void SinkLine(const char* line) { sunkLines.emplace_back(line); }
int sunkBoxes = 0;
void SinkBox(const marlowsim::MessageBoxRecord&) { ++sunkBoxes; }

class PlatformUserDebugCom : public ::testing::Test {
protected:
    void SetUp() override { marlowsim::ResetMachine(); }
    void TearDown() override {
        marlowsim::SetMessageBoxSink(nullptr);
        marlowsim::SetDebugOutputSink(nullptr);
    }
};

}  // namespace

TEST_F(PlatformUserDebugCom, MessageBoxIsRecordedAndPrintedWithoutWaiting) {
    HWND owner = reinterpret_cast<HWND>(0x1234);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxW(owner, u"No sound to save", u"Marlowtide", MB_OK), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "[box] Marlowtide: No sound to save\n");

    ASSERT_EQ(marlowsim::MessageBoxes().size(), 1u);
    const marlowsim::MessageBoxRecord& box = marlowsim::MessageBoxes()[0];
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.caption, "Marlowtide");
    EXPECT_EQ(box.body, "No sound to save");
    EXPECT_EQ(box.type, MB_OK);

    marlowsim::SetMessageBoxSink(SinkBox);
    ::testing::internal::CaptureStderr();
    MessageBoxW(nullptr, nullptr, nullptr, MB_OK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(sunkBoxes, 1);
    EXPECT_EQ(marlowsim::MessageBoxes().size(), 2u);
}

TEST_F(PlatformUserDebugCom, DebugOutputIsKeptAndSunk) {
    marlowsim::SetDebugOutputSink(SinkLine);
    OutputDebugStringW(u"Enter (3-StartRecording)");
    OutputDebugStringW(nullptr);
    ASSERT_EQ(marlowsim::DebugOutput().size(), 1u);
    EXPECT_EQ(marlowsim::DebugOutput()[0], "Enter (3-StartRecording)");
    EXPECT_EQ(sunkLines.back(), "Enter (3-StartRecording)");
    marlowsim::ClearRecords();
    EXPECT_TRUE(marlowsim::DebugOutput().empty());
}

TEST_F(PlatformUserDebugCom, ComInitialisationIsBalancedForBothSuccessResults) {
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    marlowsim::SetCoInitializeAlreadyDone(true);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 2);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);

    marlowsim::InjectFault(marlowsim::Call::CoInitialize, E_OUTOFMEMORY);
    EXPECT_EQ(CoInitialize(nullptr), E_OUTOFMEMORY);
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::CoInitialize), 3);
}

TEST_F(PlatformUserDebugCom, ManualClockIsAdvancedBySleep) {
    marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
    const DWORD start = GetTickCount();
    Sleep(50);
    EXPECT_EQ(GetTickCount() - start, 50u);
    marlowsim::AdvanceClock(1000);
    EXPECT_EQ(GetTickCount() - start, 1050u);
}
