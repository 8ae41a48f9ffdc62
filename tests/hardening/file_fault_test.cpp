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

TEST_F(FileFaults, ANameWindowsTakesButThisFileSystemDoesNotFails) {
    // 220 characters of code page 1252 are 440 bytes of UTF-8 here, where a
    // file name holds 255: the file system's refusal is the answer.
    std::string path = (scratch / "").string();
    path.append(220, '\xFC');
    ExpectFailedSaveKeepsTheTake(path);
}

TEST_F(FileFaults, FailuresOneAfterAnotherKeepTheTake) {
    ExpectFailedSaveKeepsTheTake("/dev/full");
    ExpectFailedSaveKeepsTheTake((scratch / "gone" / "x.wav").string());
    EXPECT_EQ(Call("SaveAsFile", {Text(reference)}), Quoted("Ok"));
    EXPECT_EQ(ReadBytes(reference), ReadBytes(scratch / "again.wav"));
}

// Paths up to the longest Windows takes (259 UTF-16 units) reach it whole
// in either host text, whatever their length in bytes; longer ones write
// nothing and touch no file.
class LongPaths : public LoadedXtraTest {
protected:
    void RecordUnder(const std::string& director) {
        host.PlayDirector(director);
        MakeObject();
        ASSERT_EQ(Call("OpenAudio", {Text("")}), Quoted("Ok"));
        ASSERT_EQ(Call("StartRecording", {Int(200)}), Quoted("Ok"));
        Pass(300);
    }

    // A path in scratch of `units` UTF-16 units, ".wav" included, of one
    // character (hostCharacter in host text, diskCharacter in UTF-8) in
    // folders of 80 characters, which this file system's 255-byte names
    // hold. The folders are made; host and disk spell the same path.
    struct LongPath {
        std::string host;
        std::string disk;
    };
    LongPath MakeLongPath(std::size_t units, const std::string& hostCharacter, const std::string& diskCharacter) {
        constexpr std::size_t kFolderCharacters = 80;
        LongPath path{(scratch / "").string(), (scratch / "").string()};
        std::size_t left = units - path.host.size() - 4;
        const auto append = [&](std::size_t count, const char* end) {
            for (std::size_t i = 0; i < count; ++i) {
                path.host += hostCharacter;
                path.disk += diskCharacter;
            }
            path.host += end;
            path.disk += end;
        };
        while (left > kFolderCharacters + 1) {
            append(kFolderCharacters, "/");
            std::filesystem::create_directory(path.disk);
            left -= kFolderCharacters + 1;
        }
        append(left, ".wav");
        return path;
    }

    std::vector<std::string> FilesWritten() {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch)) {
            if (entry.is_regular_file()) files.push_back(entry.path().string());
        }
        return files;
    }

    const std::string tooLong = Quoted("Error :Could not create sound file: the name is too long (-1)");
};

TEST_F(LongPaths, Director12WritesJapanesePathsWholeUpTo259Units) {
    RecordUnder("12.0");
    const std::string katakana = "\xE3\x83\x86";
    // 220 of its 259 units are katakana: 699 bytes of UTF-8.
    const LongPath longest = MakeLongPath(259, katakana, katakana);
    ASSERT_GT(longest.host.size(), 600u);
    EXPECT_EQ(Call("SaveAsFile", {Text(longest.host)}), Quoted("Ok"));
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{longest.disk});

    EXPECT_EQ(Call("SaveAsFile", {Text(MakeLongPath(260, katakana, katakana).host)}), tooLong);
    // Longer than any buffer for a path: the host cuts it inside a character.
    std::string cut = (scratch / "").string();
    for (int i = 0; i < 300; ++i) cut += katakana;
    EXPECT_EQ(Call("SaveAsFile", {Text(cut)}), tooLong);
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{longest.disk});
    ExpectNothingLeft();
}

TEST_F(LongPaths, Director85WritesLatinPathsWholeUpTo259Units) {
    RecordUnder("8.5");
    const LongPath longest = MakeLongPath(259, "\xFC", "\xC3\xBC");
    EXPECT_EQ(Call("SaveAsFile", {Text(longest.host)}), Quoted("Ok"));
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{longest.disk});

    EXPECT_EQ(Call("SaveAsFile", {Text(MakeLongPath(260, "\xFC", "\xC3\xBC").host)}), tooLong);
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{longest.disk});
    ExpectNothingLeft();
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

// A log path is used whole or not at all: a file named by its first part,
// as a cut path would name it, is never opened and so never emptied.
TEST_F(TraceLogFaults, ALongLogPathIsWrittenWholeOrNotAtAll) {
    const std::string folder = (scratch / std::string(150, 'f')).string();
    std::filesystem::create_directory(folder);
    const std::string whole = folder + "/" + std::string(60, 'w') + ".txt";
    const std::string tooLong = folder + "/" + std::string(120, 'x') + ".txt";
    const std::vector<std::string> prefixes = {whole.substr(0, 99), tooLong.substr(0, 254)};
    for (const std::string& prefix : prefixes) {
        std::ofstream(prefix) << "keep";
    }

    const MovieView logged = RunSessionLoggingTo(whole);
    EXPECT_GT(std::filesystem::file_size(whole), 0u);
    const MovieView refused = RunSessionLoggingTo(tooLong);
    EXPECT_EQ(refused.answers, logged.answers);
    EXPECT_FALSE(std::filesystem::exists(tooLong));
    for (const std::string& prefix : prefixes) {
        EXPECT_EQ(ReadBytes(prefix), "keep") << prefix;
    }
}

}  // namespace
}  // namespace hardening
