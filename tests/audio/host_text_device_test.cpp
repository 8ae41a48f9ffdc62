// Device names and file paths in the host's own text: UTF-8 for Director 11
// and later, the ANSI code page (1252 here) for earlier ones.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "audio_test_fixture.h"

namespace {

const GUID kGermanGuid{0x11, 1, 1, {1, 1, 1, 1, 1, 1, 1, 1}};
const GUID kSpanishGuid{0x22, 2, 2, {2, 2, 2, 2, 2, 2, 2, 2}};
const GUID kJapaneseGuid{0x33, 3, 3, {3, 3, 3, 3, 3, 3, 3, 3}};

const char* const kGerman = "Mikrofon (USB-Audioger\xC3\xA4t)";
const char* const kSpanish = "Micr\xC3\xB3" "fono (Dispositivo de audio USB)";
const char* const kJapanese = "\xE3\x83\x9E\xE3\x82\xA4\xE3\x82\xAF (USB)";

class HostTextDeviceTest : public AudioDeviceTest {
protected:
    void SetUp() override {
        AudioDeviceTest::SetUp();
        marlowsim::SetCaptureDevices({{kGerman, true, kGermanGuid, "usbaudio.sys"},
                                      {kSpanish, true, kSpanishGuid, "usbaudio.sys"},
                                      {kJapanese, true, kJapaneseGuid, "usbaudio.sys"}});
        folder = ::testing::TempDir() + "marlow_text_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        mkdir(folder.c_str(), 0777);
    }

    void TearDown() override {
        for (const std::string& name : FolderNames()) unlink((folder + "/" + name).c_str());
        rmdir(folder.c_str());
        AudioDeviceTest::TearDown();
    }

    void PlayDirector(HostText text) {
        device.reset();
        device = std::make_unique<DirectSoundAudioDevice>(TestWindow(), text);
    }

    std::vector<std::string> Descriptions() {
        CaptureDeviceList list;
        device->EnumerateDevices(&list);
        std::vector<std::string> names;
        for (int i = 0; i < list.count; ++i) names.emplace_back(list.entries[i].description);
        return names;
    }

    GUID OpenedGuid() {
        GUID guid{};
        EXPECT_TRUE(marlowsim::LastCaptureCreateGuid(&guid));
        return guid;
    }

    std::vector<std::string> FolderNames() {
        std::vector<std::string> names;
        if (DIR* directory = opendir(folder.c_str())) {
            while (dirent* entry = readdir(directory)) {
                if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
            }
            closedir(directory);
        }
        return names;
    }

    void RecordATake() {
        OpenDefault();
        RecordFullTake(200);
    }

    std::string folder;
};

bool SameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

}  // namespace

TEST_F(HostTextDeviceTest, AUtf8HostGetsEveryNameWholeAndOpensEachByIt) {
    PlayDirector(HostText::Utf8());
    ASSERT_EQ(Descriptions(), (std::vector<std::string>{kGerman, kSpanish, kJapanese}));
    const GUID guids[] = {kGermanGuid, kSpanishGuid, kJapaneseGuid};
    const char* const names[] = {kGerman, kSpanish, kJapanese};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(Succeeded(device->Open(names[i]))) << names[i];
        EXPECT_TRUE(SameGuid(OpenedGuid(), guids[i])) << names[i];
        device->Close();
    }
}

TEST_F(HostTextDeviceTest, AnAnsiHostGetsItsCodePageAndOpensTheRestByGuid) {
    PlayDirector(HostText::AnsiCodePage());
    const std::vector<std::string> names = Descriptions();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "Mikrofon (USB-Audioger\xE4t)");
    EXPECT_EQ(names[1], "Micr\xF3" "fono (Dispositivo de audio USB)");
    EXPECT_EQ(names[2], "??? (USB)");

    ASSERT_TRUE(Succeeded(device->Open(names[1].c_str())));
    EXPECT_TRUE(SameGuid(OpenedGuid(), kSpanishGuid));
    device->Close();
    // The GUID as #GUID shows it, and as Windows writes it, in either case.
    ASSERT_TRUE(Succeeded(device->Open("00000033-0003-0003-0303-030303030303")));
    EXPECT_TRUE(SameGuid(OpenedGuid(), kJapaneseGuid));
    device->Close();
    ASSERT_TRUE(Succeeded(device->Open("{00000022-0002-0002-0202-020202020202}")));
    EXPECT_TRUE(SameGuid(OpenedGuid(), kSpanishGuid));
    device->Close();
    EXPECT_TRUE(FailedWith(device->Open("{00000022-0002-0002-0202-02020202020}"),
                           "Cannot find user supplied audio capture device", -1));
}

TEST_F(HostTextDeviceTest, LongNamesAreCutOnWholeCharacters) {
    std::string katakana;
    for (int i = 0; i < 100; ++i) katakana += "\xE3\x83\x86";
    std::string umlauts;
    for (int i = 0; i < 300; ++i) umlauts += "\xC3\xBC";
    marlowsim::SetCaptureDevices({{"x" + katakana, true, kGermanGuid, ""}, {umlauts, true, kSpanishGuid, ""}});

    PlayDirector(HostText::Utf8());
    const std::vector<std::string> names = Descriptions();
    // 254 bytes at most: one "x" and 84 characters of three bytes, 127 of two.
    EXPECT_EQ(names[0], "x" + katakana.substr(0, 84 * 3));
    EXPECT_EQ(names[1], umlauts.substr(0, 127 * 2));

    PlayDirector(HostText::AnsiCodePage());
    EXPECT_EQ(Descriptions()[1], std::string(254, '\xFC'));
}

TEST_F(HostTextDeviceTest, SavedFilesHaveExactlyTheNameTheMovieGave) {
    PlayDirector(HostText::Utf8());
    RecordATake();
    const std::string name = "J\xC3\xBCrgen-\xE3\x83\x86\xE3\x82\xA4\xE3\x82\xAF-\xF0\x9F\x8E\x99.wav";
    ASSERT_TRUE(Succeeded(device->SaveAsFile((folder + "/" + name).c_str())));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{name});

    PlayDirector(HostText::AnsiCodePage());
    RecordATake();
    unlink((folder + "/" + name).c_str());
    ASSERT_TRUE(Succeeded(device->SaveAsFile((folder + "/Aufnahme f\xFCr J\xFCrgen.wav").c_str())));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Aufnahme f\xC3\xBCr J\xC3\xBCrgen.wav"});
}

TEST_F(HostTextDeviceTest, PathsWindowsCannotBeGivenWholeWriteNothing) {
    const char* const refused = "Could not create sound file: the name has a character Windows cannot take";
    PlayDirector(HostText::Utf8());
    RecordATake();
    // Latin-1 bytes from a host that promised UTF-8.
    EXPECT_TRUE(FailedWith(device->SaveAsFile((folder + "/J\xFCrgen.wav").c_str()), refused, -1));
    EXPECT_TRUE(FailedWith(device->SaveAsFile((folder + "/take?.wav").c_str()), refused, -1));

    PlayDirector(HostText::AnsiCodePage());
    RecordATake();
    // What an old host hands over for "テイク.wav".
    EXPECT_TRUE(FailedWith(device->SaveAsFile((folder + "/???.wav").c_str()), refused, -1));
    EXPECT_TRUE(FolderNames().empty());
    // The object is still usable.
    EXPECT_TRUE(Succeeded(device->SaveAsFile((folder + "/take.wav").c_str())));
}
