// Long runs through the loaded library: whatever a movie repeats for hours
// must leave nothing behind, neither objects nor memory.
#include "loaded_xtra_fixture.h"

namespace hardening {
namespace {

// Under AddressSanitizer freed memory sits in quarantine, so resident
// memory says nothing there; the sanitizer checks for leaks instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentMemoryTells = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kResidentMemoryTells = false;
#else
constexpr bool kResidentMemoryTells = true;
#endif
#else
constexpr bool kResidentMemoryTells = true;
#endif

constexpr long kMostGrowth = 1024 * 1024;

using Soak = LoadedXtraTest;

TEST_F(Soak, TenThousandNewForgetCyclesLeaveNothing) {
    // Warm up once so that first-use allocations do not count as growth.
    MakeObject();
    object->Forget();
    object.reset();
    const long before = ResidentBytes();
    for (int cycle = 0; cycle < 10000; ++cycle) {
        MakeObject();
        ASSERT_EQ(object->Forget(), kMoaErr_NoErr) << "cycle " << cycle;
        object.reset();
    }
    const long grown = ResidentBytes() - before;
    ExpectNothingLeft();
    EXPECT_EQ(host.Notifications().RegisteredClients(), 0);
    EXPECT_EQ(marlowsim::OutstandingLocks(), 0);
    if (kResidentMemoryTells) {
        EXPECT_LT(grown, kMostGrowth);
    }
    EXPECT_TRUE(loader.Unload());
}

TEST_F(Soak, AThousandRecordingSessionsLeaveNothing) {
    MakeObject();
    const std::string take = (scratch / "take.wav").string();
    int lastFailedCycle = -1;
    int failures = 0;
    auto cycle = [&](int number) {
        std::vector<std::string> answers;
        answers.push_back(Call("OpenAudio", {Text("")}));
        Call("StartGetInputLevel");
        Pass(60);
        const std::string meterLevel = Call("GetInputLevel");
        Call("StopGetInputLevel");
        answers.push_back(Call("StartRecording", {Int(400)}));
        Pass(200);
        const std::string recordingLevel = Call("GetInputLevel");
        Pass(300);  // the buffer fills; the idle tick ends the recording
        answers.push_back(Call("PlaySound"));
        Pass(500);
        answers.push_back(Call("SaveAsFile", {Text(take)}));
        answers.push_back(Call("SaveAsMember", {Text("take")}));
        answers.push_back(Call("CloseAudio"));
        bool ok = meterLevel.find("#Error: \"Ok\"") != std::string::npos &&
                  recordingLevel.find("#Error: \"Ok\"") != std::string::npos;
        for (const std::string& answer : answers) {
            ok = ok && answer == Quoted("Ok");
        }
        if (!ok) {
            ++failures;
            lastFailedCycle = number;
        }
    };
    cycle(0);
    const int blocksAfterFirst = marlowsim::LiveGlobalBlocks();
    const long before = ResidentBytes();
    for (int number = 1; number < 1000; ++number) {
        cycle(number);
    }
    const long grown = ResidentBytes() - before;
    EXPECT_EQ(failures, 0) << "last failing cycle " << lastFailedCycle;
    EXPECT_EQ(std::filesystem::file_size(take), 8820u + 56u);
    // The member keeps the one image of the last take.
    EXPECT_EQ(marlowsim::LiveGlobalBlocks(), blocksAfterFirst);
    EXPECT_EQ(marlowsim::OutstandingLocks(), 0);
    ExpectNothingLeft();
    if (kResidentMemoryTells) {
        EXPECT_LT(grown, kMostGrowth);
    }
}

}  // namespace
}  // namespace hardening
