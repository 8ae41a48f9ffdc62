// Saving where the disk says no: every failed save is reported, and the
// take survives it unchanged. A trace log that cannot be written costs the
// movie nothing.
#include <sys/stat.h>

#include <cstdio>

#include "loaded_xtra_fixture.h"

namespace hardening {
namespace {

class FileFaults : public LoadedXtraTest {
protected:
    void SetUp() override {
        LoadedXtraTest::SetUp();
        marlowsim::Signal noise;
        noise.waveform = marlowsim::Waveform::Noise;
        marlowsim::SetInput(noise);
        MakeObject();
        ASSERT_EQ(Call("OpenAudio", {Text("")}), Quoted("Ok"));
        ASSERT_EQ(Call("StartRecording", {Int(700)}), Quoted("Ok"));
        Pass(800);
        ASSERT_EQ(Call("RecordingNow"), "0");
        reference = (scratch / "reference.wav").string();
        ASSERT_EQ(Call("SaveAsFile", {Text(reference)}), Quoted("Ok"));
        ASSERT_EQ(std::filesystem::file_size(reference), 15434u + 56u);
    }

    void TearDown() override {
        ExpectNothingLeft();
        EXPECT_EQ(marlowsim::OutstandingLocks(), 0);
        LoadedXtraTest::TearDown();
    }

    // The failed save answered an error, and the take still saves to the same bytes.
    void ExpectFailedSaveKeepsTheTake(const std::string& badPath) {
        const std::string answer = Call("SaveAsFile", {Text(badPath)});
        EXPECT_EQ(answer.rfind("\"Error :", 0), 0u) << badPath.substr(0, 60) << ": " << answer;
        const std::string again = (scratch / "again.wav").string();
        EXPECT_EQ(Call("SaveAsFile", {Text(again)}), Quoted("Ok"));
        EXPECT_EQ(ReadBytes(again), ReadBytes(reference));
        EXPECT_EQ(Call("PlaySound"), Quoted("Ok"));
        EXPECT_EQ(Call("PlayStop"), Quoted("Ok"));
    }

    std::string reference;
};

TEST_F(FileFaults, AMissingDirectoryFails) {
    ExpectFailedSaveKeepsTheTake((scratch / "no-such-directory" / "take.wav").string());
    EXPECT_FALSE(std::filesystem::exists(scratch / "no-such-directory"));
}

TEST_F(FileFaults, AnUnwritablePathFails) {
    ExpectFailedSaveKeepsTheTake("/proc/marlowtide/take.wav");
}

TEST_F(FileFaults, AReadOnlyDirectoryFails) {
    const std::filesystem::path locked = scratch / "read-only";
    std::filesystem::create_directory(locked);
    chmod(locked.c_str(), 0555);
    const std::string probe = (locked / "probe").string();
    if (FILE* file = std::fopen(probe.c_str(), "w")) {
        std::fclose(file);
        std::remove(probe.c_str());
        chmod(locked.c_str(), 0755);
        GTEST_SKIP() << "this user writes into read-only directories";
    }
    ExpectFailedSaveKeepsTheTake((locked / "take.wav").string());
    chmod(locked.c_str(), 0755);
}

TEST_F(FileFaults, AFullDiskFails) {
    ExpectFailedSaveKeepsTheTake("/dev/full");
}

TEST_F(FileFaults, APathOf499CharactersFails) {
    // The longest path a save takes; its last part is longer than any file name.
    std::string path = (scratch / "").string();
    path.append(499 - path.size(), 'n');
    ASSERT_EQ(path.size(), 499u);
    ExpectFailedSaveKeepsTheTake(path);
}

TEST_F(FileFaults, FailuresOneAfterAnotherKeepTheTake) {
    ExpectFailedSaveKeepsTheTake("/dev/full");
    ExpectFailedSaveKeepsTheTake((scratch / "gone" / "x.wav").string());
    EXPECT_EQ(Call("SaveAsFile", {Text(reference)}), Quoted("Ok"));
    EXPECT_EQ(ReadBytes(reference), ReadBytes(scratch / "again.wav"));
}

// What the movie sees of a short session: every answer and every flow line.
struct MovieView {
    std::vector<std::string> answers;
    std::vector<std::string> flowLines;
    size_t messageBoxes = 0;
    size_t errorReports = 0;
};

class TraceLogFaults : public LoadedXtraTest {
protected:
    MovieView RunSessionLoggingTo(const std::string& logPath) {
        MovieView view;
        host.Handlers().Define("Marlowtide_XtraFlow", [&view, this](const std::vector<MoaMmValue>& arguments) {
            std::string line;
            for (const MoaMmValue& argument : arguments) {
                line += host.Values().LingoText(argument) + " ";
            }
            view.flowLines.push_back(line);
            return marlowhost::ValueStore::Void();
        });
        host.Handlers().Define("Marlowtide_XtraError",
                               [](const std::vector<MoaMmValue>&) { return marlowhost::ValueStore::Void(); });
        marlowsim::ClearRecords();
        host.Handlers().ClearRecords();
        MakeObject();
        view.answers.push_back(Call("PrivateInstance", {Int(2), Int(1), Int(0)}));
        view.answers.push_back(Call("PrivateInstance", {Int(3), Int(1), Text(logPath)}));
        view.answers.push_back(Call("OpenAudio", {Text("")}));
        view.answers.push_back(Call("StartRecording", {Int(300)}));
        Pass(200);
        view.answers.push_back(Call("StopRecording"));
        view.answers.push_back(Call("SaveAsFile", {Text((scratch / "t.wav").string())}));
        view.answers.push_back(Call("GetFormat"));
        view.answers.push_back(Call("PrivateInstance", {Int(3), Int(0)}));
        view.answers.push_back(Call("CloseAudio"));
        ExpectNothingLeft();
        view.messageBoxes = marlowsim::MessageBoxes().size();
        view.errorReports = host.Handlers().CallsOf("Marlowtide_XtraError").size();
        host.Handlers().Remove("Marlowtide_XtraFlow");
        host.Handlers().Remove("Marlowtide_XtraError");
        return view;
    }
};

TEST_F(TraceLogFaults, AnUnwritableLogIsSilentAndLosesNothing) {
    const MovieView logged = RunSessionLoggingTo((scratch / "trace.txt").string());
    EXPECT_GT(std::filesystem::file_size(scratch / "trace.txt"), 0u);
    for (const std::string& unwritable :
         {std::string("/proc/marlowtide/trace.txt"), (scratch / "none" / "trace.txt").string(), std::string("/dev/full")}) {
        SCOPED_TRACE(unwritable);
        const MovieView failed = RunSessionLoggingTo(unwritable);
        EXPECT_EQ(failed.answers, logged.answers);
        EXPECT_EQ(failed.flowLines, logged.flowLines);
        EXPECT_EQ(failed.messageBoxes, 0u);
        EXPECT_EQ(failed.errorReports, 0u);
    }
    EXPECT_EQ(logged.messageBoxes, 0u);
    EXPECT_EQ(logged.errorReports, 0u);
    EXPECT_EQ(logged.answers.back(), Quoted("Ok"));
    EXPECT_FALSE(logged.flowLines.empty());
}

}  // namespace
}  // namespace hardening
