#include <dirent.h>
#include <unistd.h>

#include <cstdio>

#include <fstream>
#include <regex>
#include <sstream>

#include "bridge_test_fixture.h"

namespace {

class TraceLogTest : public BridgeTest {
protected:
    void SetUp() override {
        BridgeTest::SetUp();
        marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
        path = ::testing::TempDir() + "marlowtide_trace_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
        bridge.SetLogPath(path.c_str());
    }

    void SetTicks(uint32_t ticks) { marlowsim::AdvanceClock(ticks - marlowsim::ClockMilliseconds()); }

    static std::string Contents(const std::string& file) {
        std::ifstream stream(file, std::ios::binary);
        std::stringstream contents;
        contents << stream.rdbuf();
        return contents.str();
    }

    // What follows the two header lines.
    static std::string Records(const std::string& file) {
        const std::string all = Contents(file);
        const std::size_t first = all.find('\n');
        const std::size_t second = first == std::string::npos ? first : all.find('\n', first + 1);
        return second == std::string::npos ? std::string() : all.substr(second + 1);
    }

    static int OpenDescriptors() {
        int count = 0;
        DIR* directory = opendir("/proc/self/fd");
        while (readdir(directory) != nullptr) {
            ++count;
        }
        closedir(directory);
        return count;
    }

    std::string path;
};

TEST_F(TraceLogTest, AFlowLineIsTickStampedTaggedAndFollowedByAnEmptyLine) {
    bridge.OpenLog();
    SetTicks(1234567);
    const StatusRecord answer = bridge.Trace("ExecutionFlow\t:m_close : Enter\n", "<*>");
    EXPECT_FALSE(answer.failed);
    EXPECT_STREQ(answer.message, "Ok");
    EXPECT_EQ(Records(path), "1234567: <*>:ExecutionFlow\t:m_close : Enter\n\n");
}

TEST_F(TraceLogTest, TheHeaderGivesTheBuildDateAndTime) {
    bridge.OpenLog();
    const std::regex header("Code compile date:[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4}\n"
                            " Code compile time:[0-9]{2}:[0-9]{2}:[0-9]{2}\n");
    EXPECT_TRUE(std::regex_match(Contents(path), header)) << Contents(path);
}

TEST_F(TraceLogTest, TicksPastTheTopBitAreWrittenSignedAndTextIsNeverFormatted) {
    bridge.OpenLog();
    SetTicks(0x80000005u);
    bridge.Trace("100%s %d %n", "<*>");
    EXPECT_EQ(Records(path), "-2147483643: <*>:100%s %d %n\n");
}

TEST_F(TraceLogTest, ReopeningTruncatesToOneFreshHeader) {
    bridge.OpenLog();
    SetTicks(10);
    bridge.Trace("first", "<*>");
    bridge.OpenLog();
    bridge.Trace("second", "<*>");
    EXPECT_EQ(Records(path), "10: <*>:second\n");
    EXPECT_EQ(Contents(path).find("Code compile date:", 1), std::string::npos);
}

TEST_F(TraceLogTest, OpeningWhileOpenClosesTheFirstStream) {
    HostBridge other(host.Callback(), false);
    const std::string otherPath = path + ".other";
    other.SetLogPath(otherPath.c_str());
    const int descriptors = OpenDescriptors();
    bridge.OpenLog();
    SetTicks(20);
    bridge.Trace("one", "<*>");
    other.OpenLog();
    EXPECT_EQ(OpenDescriptors(), descriptors + 1);
    other.Trace("two", "<*>");
    EXPECT_EQ(Records(path), "20: <*>:one\n");
    EXPECT_EQ(Records(otherPath), "20: <*>:two\n");
}

TEST_F(TraceLogTest, TracingWithNoFileOpenReopensAtThisBridgesPath) {
    bridge.OpenLog();
    bridge.Trace("lost", "<*>");
    bridge.CloseLog();
    EXPECT_FALSE(TraceLog::Instance().IsOpen());
    SetTicks(30);
    bridge.Trace("again", "<*>");
    EXPECT_TRUE(TraceLog::Instance().IsOpen());
    EXPECT_EQ(Records(path), "30: <*>:again\n");
}

TEST_F(TraceLogTest, HandlerArgumentsAreTracedAsTheirTextForms) {
    std::vector<MoaMmValue> args = {host.Values().String("m_close"), host.Values().String("Enter")};
    const int before = host.Values().LiveValues();
    SetTicks(40);
    bridge.TraceValues(2, args.data());
    EXPECT_EQ(Records(path), "40: <*>:<m_close><Enter>\n");
    EXPECT_EQ(host.Values().LiveValues(), before);
    ReleaseAll(args);
}

TEST_F(TraceLogTest, ALogPathLongerThanWindowsTakesOpensNothing) {
    const std::string longPath(kLongestPathUnits + 1, 'p');
    EXPECT_FALSE(bridge.SetLogPath(longPath.c_str()).failed);
    EXPECT_FALSE(bridge.OpenLog().failed);
    EXPECT_FALSE(TraceLog::Instance().IsOpen());
    EXPECT_EQ(access(longPath.substr(0, 254).c_str(), F_OK), -1);
}

TEST_F(TraceLogTest, AnUnwritablePathIsSilent) {
    bridge.SetLogPath("/nonexistent-marlowtide-dir/log.txt");
    const StatusRecord opened = bridge.OpenLog();
    EXPECT_FALSE(opened.failed);
    EXPECT_STREQ(opened.message, "Ok");
    EXPECT_FALSE(TraceLog::Instance().IsOpen());
    const StatusRecord traced = bridge.Trace("nowhere", "<*>");
    EXPECT_FALSE(traced.failed);
    EXPECT_FALSE(TraceLog::Instance().IsOpen());
    EXPECT_FALSE(bridge.CloseLog().failed);
}

// The log's path is the host's text: whole in UTF-8, refused when an old
// host could not hold it. Its first record names the host's text.
TEST_F(TraceLogTest, ALogPathInTheHostsTextNamesExactlyThatFile) {
    HostTextChoice director12;
    director12.text = HostText::Utf8();
    std::snprintf(director12.productVersion, sizeof director12.productVersion, "12.0");
    bridge.UseHostText(director12);
    const std::string whole = ::testing::TempDir() + "marlowtide_\xE3\x83\xAD\xE3\x82\xB0-\xF0\x9F\x8E\x99.txt";
    bridge.SetLogPath(whole.c_str());
    bridge.OpenLog();
    bridge.CloseLog();
    EXPECT_NE(Records(whole).find("<*>:Text from the host: UTF-8 (Director 12.0)\n"), std::string::npos);
    unlink(whole.c_str());

    HostTextChoice director8;
    std::snprintf(director8.productVersion, sizeof director8.productVersion, "8.5");
    bridge.UseHostText(director8);
    bridge.SetLogPath((::testing::TempDir() + "marlowtide_???.txt").c_str());
    EXPECT_FALSE(bridge.OpenLog().failed);
    EXPECT_FALSE(TraceLog::Instance().IsOpen());

    // A host that does not say which Director it is gets no such record.
    bridge.UseHostText(HostTextChoice{});
    bridge.SetLogPath(path.c_str());
    bridge.OpenLog();
    bridge.CloseLog();
    EXPECT_EQ(Records(path), "");
}

TEST_F(TraceLogTest, OnlyTheOwningBridgeClosesTheLogWhenItGoes) {
    bridge.OpenLog();
    { HostBridge passing(host.Callback(), false); }
    EXPECT_TRUE(TraceLog::Instance().IsOpen());
    { HostBridge owning(host.Callback()); }
    EXPECT_FALSE(TraceLog::Instance().IsOpen());
}

}  // namespace
