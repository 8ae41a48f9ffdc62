// Names and paths outside ASCII under Wine: the text runs of the session
// (scenarios text-12.ls and text-8.ls), against three capture devices named
// in German, Spanish and Japanese, each hearing its own tone.
#include <sys/stat.h>

#include <regex>
#include <string>
#include <vector>

#include "tier_checks.h"
#include "wav_analysis.h"

namespace wine_tier {
namespace {

struct NamedDevice {
    const char* name;
    double toneHz;
};
const NamedDevice kGerman{"Mikrofon (USB-Audiogerät)", 550.0};
const NamedDevice kSpanish{"Micrófono (Dispositivo de audio USB)", 850.0};
const NamedDevice kJapanese{"マイク (USB オーディオ)", 1250.0};

bool Exists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

// A take of 1.5 s from the device: its tone, and no other.
void ExpectTakeOf(const std::string& path, const NamedDevice& device) {
    SCOPED_TRACE(path);
    const WavFile take = ReadWav(path);
    ASSERT_TRUE(take.parsed) << take.failure;
    EXPECT_EQ(take.Frames(), take.format.sampleRate * 3 / 2);
    const double found = DominantFrequency(take.Channel(0), take.format.sampleRate, 100.0, 2000.0);
    EXPECT_TRUE(WithinPercent(found, device.toneHz, 3.0)) << device.name;
}

std::vector<std::string> NamesListed(const std::vector<std::string>& texts) {
    std::vector<std::string> names;
    for (const std::string& device : LinesAfter(texts, "device: ")) names.push_back(device.substr(0, device.find('|')));
    return names;
}

bool Lists(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& listed : names) {
        if (listed == name) return true;
    }
    return false;
}

using WineText = WineTier;

}  // namespace

TEST_F(WineText, UnderDirector12EveryNameIsWholeAndEachDeviceOpensByIt) {
    ASSERT_EQ(ExitStatus("text-12"), 0);
    const std::vector<std::string> texts = PutTexts(Transcript("text-12"));
    const std::vector<std::string> names = NamesListed(texts);
    for (const NamedDevice& device : {kGerman, kSpanish, kJapanese}) {
        EXPECT_TRUE(Lists(names, device.name)) << device.name;
    }
    EXPECT_EQ(LinesAfter(texts, "open: "),
              (std::vector<std::string>{std::string(kGerman.name) + "|Ok", std::string(kSpanish.name) + "|Ok",
                                        std::string(kJapanese.name) + "|Ok"}));
    EXPECT_EQ(LinesAfter(texts, "save: "), std::vector<std::string>(3, "Ok"));
    EXPECT_EQ(LinesAfter(texts, "long path: "), std::vector<std::string>{"Ok"});
    EXPECT_EQ(LinesAfter(texts, "too long path: "),
              std::vector<std::string>{"Error :Could not create sound file: the name is too long (-1)"});
}

TEST_F(WineText, UnderDirector12TakesAndTheLogHaveExactlyTheirNames) {
    const std::string folder = OutputFolder() + "/text-12/Jürgen-テイク-🎙/";
    ExpectTakeOf(folder + "テイク-1.wav", kGerman);
    ExpectTakeOf(folder + "テイク-2.wav", kSpanish);
    ExpectTakeOf(folder + "テイク-3.wav", kJapanese);
    std::string k40;
    for (int i = 0; i < 40; ++i) k40 += "テ";
    const std::string deep = folder + k40 + k40 + "/" + k40 + k40 + "/";
    ExpectTakeOf(deep + k40 + ".wav", kJapanese);
    EXPECT_FALSE(Exists(deep + k40 + k40 + ".wav"));
    bool recorded = false;
    for (const std::string& line : LinesOf(folder + "ログ-🎙.txt")) {
        recorded = recorded || line.find("Text from the host: UTF-8 (Director 12.0)") != std::string::npos;
    }
    EXPECT_TRUE(recorded) << "the log names the host's text";
}

TEST_F(WineText, UnderDirector8LatinWorksJapaneseOpensByGuidAndItsPathIsRefused) {
    ASSERT_EQ(ExitStatus("text-8"), 0);
    const std::vector<std::string> texts = PutTexts(Transcript("text-8"));
    const std::vector<std::string> names = NamesListed(texts);
    EXPECT_TRUE(Lists(names, kGerman.name));
    EXPECT_TRUE(Lists(names, kSpanish.name));
    // The code page holds no Japanese: each character arrives as "?".
    EXPECT_TRUE(Lists(names, std::string(3, '?') + " (USB " + std::string(5, '?') + ")"));
    const std::vector<std::string> opened = LinesAfter(texts, "open: ");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], std::string(kGerman.name) + "|Ok");
    EXPECT_EQ(opened[1], std::string(kSpanish.name) + "|Ok");
    EXPECT_TRUE(std::regex_match(opened[2], std::regex("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\|Ok$")))
        << opened[2];
    EXPECT_EQ(LinesAfter(texts, "save: "), std::vector<std::string>(3, "Ok"));
    EXPECT_EQ(LinesAfter(texts, "japanese path: "),
              std::vector<std::string>{
                  "Error :Could not create sound file: the name has a character Windows cannot take (-1)"});

    const std::string folder = OutputFolder() + "/text-8/Jürgen/";
    ExpectTakeOf(folder + "Aufnahme-ä-1.wav", kGerman);
    ExpectTakeOf(folder + "Aufnahme-ä-2.wav", kSpanish);
    ExpectTakeOf(folder + "Aufnahme-ä-3.wav", kJapanese);
    EXPECT_FALSE(Exists(folder + "テイク.wav"));
    EXPECT_FALSE(Exists(folder + "???.wav"));
    bool recorded = false;
    for (const std::string& line : LinesOf(folder + "Protokoll-ü.txt")) {
        recorded = recorded || line.find("Text from the host: ANSI code page 1252 (Director 8.5)") != std::string::npos;
    }
    EXPECT_TRUE(recorded) << "the log names the host's text";
}

}  // namespace wine_tier
