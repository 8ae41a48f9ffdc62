// The Windows tier's checks: what Marlowtide.x32 recorded, measured, played
// and answered under Wine on real DirectSound, read from the session's
// folder (tests/wine/run-session.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>

#include "tier_checks.h"
#include "tier_output.h"
#include "wav_analysis.h"

namespace wine_tier {
namespace {

constexpr uint32_t kWriterHeaderBytes = 56;  // RIFF, fmt (16), fact (4), data

bool Contains(const std::vector<std::string>& texts, const std::string& wanted) {
    for (const std::string& text : texts) {
        if (text == wanted) return true;
    }
    return false;
}

std::string Soxi(const std::string& option, const std::string& path) {
    std::string answer;
    if (FILE* pipe = popen(("soxi " + option + " '" + path + "' 2>&1").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) answer += buffer;
        pclose(pipe);
    }
    while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
    return answer;
}

// The take holds the 1 kHz tone in every channel: its frequency within 2 %
// and its mean magnitude within the given share.
void ExpectTheTone(const WavFile& wav, double magnitudePercent) {
    const double magnitude = wav.format.bitsPerSample == 16 ? kToneMagnitude16 : kToneMagnitude8;
    for (int channel = 0; channel < wav.format.channels; ++channel) {
        SCOPED_TRACE("channel " + std::to_string(channel));
        const std::vector<int32_t> samples = wav.Channel(channel);
        EXPECT_TRUE(WithinPercent(DominantFrequency(samples, wav.format.sampleRate, 100.0, wav.format.sampleRate / 2.0 - 50.0),
                                  1000.0, 2.0));
        EXPECT_TRUE(WithinPercent(MeanMagnitude(samples), magnitude, magnitudePercent));
    }
}

// ---- every run ----------------------------------------------------------------------

// The session stops a program as soon as Wine says it crashed, and keeps
// Wine's lines about it in NAME.crash; a run stopped by its timeout hung.
TEST_F(WineTier, NoProgramCrashedOrHung) {
    for (const auto& entry : std::filesystem::directory_iterator(OutputFolder())) {
        const std::string name = entry.path().stem().string();
        if (entry.path().extension() == ".crash") {
            ADD_FAILURE() << name << " crashed:\n" << ::testing::PrintToString(LinesOf(entry.path().string()));
        } else if (entry.path().extension() == ".rc") {
            EXPECT_NE(ExitStatus(name), 124) << name << " hung until its timeout";
        }
    }
}

// ---- a two-second take, ended by itself ------------------------------------------

class WineTake : public WineTier {
protected:
    void SetUp() override {
        WineTier::SetUp();
        if (IsSkipped()) return;
        ASSERT_EQ(ExitStatus("take"), 0);
        texts = PutTexts(Transcript("take"));
        take = ReadWav(FileOf("take", "take.wav"));
        ASSERT_TRUE(take.parsed) << take.failure;
    }
    std::vector<std::string> texts;
    WavFile take;
};

TEST_F(WineTake, EndsByItselfAtItsMaximumAsTheWritersFile) {
    EXPECT_TRUE(Contains(texts, "stop: Error :No capture to stop (-1)")) << "the take did not end by itself";
    EXPECT_TRUE(Contains(texts, "file: Ok"));
    // The writer's header: RIFF, a 16-byte format chunk, a fact chunk, data.
    ASSERT_EQ(take.bytes.size(), kWriterHeaderBytes + 44100u);
    EXPECT_EQ(std::string(take.bytes.begin() + 8, take.bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(take.U32At(16), 16u);
    EXPECT_EQ(std::string(take.bytes.begin() + 36, take.bytes.begin() + 40), "fact");
    EXPECT_EQ(take.U32At(40), 4u);
    EXPECT_EQ(std::string(take.bytes.begin() + 48, take.bytes.begin() + 52), "data");
    EXPECT_EQ(take.format.dataOffset, kWriterHeaderBytes);
    EXPECT_EQ(take.format.dataBytes, 44100u);
    EXPECT_EQ(take.format.formatTag, 1);
    EXPECT_EQ(take.format.channels, 1);
    EXPECT_EQ(take.format.sampleRate, 11025u);
    EXPECT_EQ(take.format.bytesPerSecond, 22050u);
    EXPECT_EQ(take.BlockAlign(), 2u);
    EXPECT_EQ(take.format.bitsPerSample, 16);
    const std::string path = FileOf("take", "take.wav");
    EXPECT_EQ(Soxi("-r", path), "11025");
    EXPECT_EQ(Soxi("-c", path), "1");
    EXPECT_EQ(Soxi("-b", path), "16");
    EXPECT_EQ(Soxi("-s", path), "22050");
}

TEST_F(WineTake, HoldsTheToneFromItsFirstSample) {
    ExpectTheTone(take, 5.0);
    // The first 50 ms as well: a take that started late or mid-buffer would
    // begin with silence or with samples cut in two.
    std::vector<int32_t> start = take.Channel(0);
    start.resize(551);
    EXPECT_TRUE(WithinPercent(MeanMagnitude(start), kToneMagnitude16, 10.0));
}

TEST_F(WineTake, LevelReadsTheToneFromTheFirstReading) {
    // Up to 20 readings in 2 s; in the emulated machine each turn of the
    // loop can take 200 ms and more.
    const std::vector<std::string> levels = LinesAfter(texts, "level: ");
    ASSERT_GE(levels.size(), 5u);
    for (size_t i = 0; i < levels.size(); ++i) {
        SCOPED_TRACE("reading " + std::to_string(i + 1) + ": " + levels[i]);
        const std::vector<std::string> words = Words(levels[i]);
        ASSERT_EQ(words.size(), 3u);
        EXPECT_TRUE(WithinPercent(std::stod(words[0]), kToneMagnitude16, 20.0));
        EXPECT_EQ(words[1], "0");
        EXPECT_EQ(words[2], "Ok");
    }
}

TEST_F(WineTake, MemberMediaParsesAndEqualsTheTake) {
    EXPECT_TRUE(Contains(texts, "member: Ok"));
    const WavFile member = ReadWav(FileOf("take", "members/1-take.wav"));
    ASSERT_TRUE(member.parsed) << member.failure;
    EXPECT_EQ(member.format.sampleRate, 11025u);
    EXPECT_EQ(member.format.channels, 1);
    EXPECT_EQ(member.format.bitsPerSample, 16);
    EXPECT_TRUE(member.Data() == take.Data()) << "the member's samples differ from the take's";
}

TEST_F(WineTake, TraceLogOnADriveCPathHasItsHeaderAndRecords) {
    const std::vector<std::string> lines = LinesOf(FileOf("take", "marlow-trace.txt"));
    ASSERT_GE(lines.size(), 3u) << "no trace log was written to c:\\marlow-trace.txt, or no records";
    EXPECT_EQ(lines[0].rfind("Code compile date:", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(" Code compile time:", 0), 0u) << lines[1];
    // Every record is stamped with the tick count; the movie's one wrong
    // call, the StopRecording after the take ended, is among them.
    const std::regex record("^-?[0-9]+: [^:]*:.*");
    int records = 0;
    bool wrongCall = false;
    for (size_t i = 2; i < lines.size(); ++i) {
        records += std::regex_match(lines[i], record) ? 1 : 0;
        wrongCall = wrongCall || lines[i].find("No capture to stop") != std::string::npos;
    }
    EXPECT_EQ(records, static_cast<int>(lines.size()) - 2);
    EXPECT_TRUE(wrongCall);
}

// ---- levels, with metering alone and during a recording ----------------------

TEST_F(WineTier, LevelsReadTheToneFromTheFirstReading) {
    ASSERT_EQ(ExitStatus("levels"), 0);
    const std::vector<std::string> texts = PutTexts(Transcript("levels"));
    for (const char* tag : {"metering 11025-1: ", "recording 11025-1: ", "metering 44100-2: ", "recording 44100-2: "}) {
        const std::vector<std::string> levels = LinesAfter(texts, tag);
        ASSERT_EQ(levels.size(), 12u) << tag;
        const bool stereo = std::string(tag).find("-2:") != std::string::npos;
        for (size_t i = 0; i < levels.size(); ++i) {
            SCOPED_TRACE(std::string(tag) + "reading " + std::to_string(i + 1) + ": " + levels[i]);
            const std::vector<std::string> words = Words(levels[i]);
            ASSERT_EQ(words.size(), 2u);
            EXPECT_TRUE(WithinPercent(std::stod(words[0]), kToneMagnitude16, 20.0));
            if (stereo) {
                EXPECT_TRUE(WithinPercent(std::stod(words[1]), kToneMagnitude16, 20.0));
            } else {
                EXPECT_EQ(words[1], "0");
            }
        }
    }
}

// ---- every format, each take ended by itself ---------------------------------------

TEST_F(WineTier, EveryFormatEndsByItselfWithItsFullLength) {
    ASSERT_EQ(ExitStatus("formats"), 0);
    const std::vector<std::string> texts = PutTexts(Transcript("formats"));
    const std::regex takeLine("^take-([0-9]+)-([0-9]+)-([0-9]+)-([0-9]+): (.*)$");
    int takes = 0;
    for (const std::string& text : texts) {
        std::smatch parts;
        if (!std::regex_match(text, parts, takeLine)) continue;
        ++takes;
        SCOPED_TRACE(text);
        EXPECT_EQ(parts[5].str(), "Ok Ok");
        const uint32_t rate = std::stoul(parts[1]);
        const uint32_t bits = std::stoul(parts[2]);
        const uint32_t channels = std::stoul(parts[3]);
        const uint64_t milliseconds = std::stoul(parts[4]);
        const WavFile wav = ReadWav(FileOf("formats", text.substr(0, text.find(':')) + ".wav"));
        ASSERT_TRUE(wav.parsed) << wav.failure;
        EXPECT_EQ(wav.format.sampleRate, rate);
        EXPECT_EQ(wav.format.bitsPerSample, bits);
        EXPECT_EQ(wav.format.channels, channels);
        const uint64_t frameBytes = bits / 8 * channels;
        EXPECT_EQ(wav.format.dataBytes, milliseconds * rate * frameBytes / 1000 / frameBytes * frameBytes);
        ExpectTheTone(wav, bits == 16 ? 10.0 : 15.0);
    }
    EXPECT_EQ(takes, 20);
}

// ---- Wine's devices ---------------------------------------------------------------------

TEST_F(WineTier, WinesDevicesAreListedAndEachOpensByName) {
    ASSERT_EQ(ExitStatus("devices"), 0);
    const std::vector<std::string> texts = PutTexts(Transcript("devices"));
    const std::vector<std::string> counts = LinesAfter(texts, "count: ");
    ASSERT_EQ(counts.size(), 1u);
    const std::vector<std::string> devices = LinesAfter(texts, "device: ");
    ASSERT_GE(devices.size(), 1u);
    EXPECT_EQ(std::to_string(devices.size()), counts[0]);
    const std::regex guid("^[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}$");
    bool primary = false;
    for (const std::string& device : devices) {
        SCOPED_TRACE(device);
        const size_t bar = device.find('|');
        const size_t second = device.find('|', bar + 1);
        ASSERT_NE(second, std::string::npos);
        const std::string name = device.substr(0, bar);
        const std::string id = device.substr(bar + 1, second - bar - 1);
        const std::string module = device.substr(second + 1);
        EXPECT_TRUE(std::regex_match(id, guid));
        if (name == "Primary Sound Driver") {
            primary = true;
            EXPECT_EQ(id, "00000000-0000-0000-0000-000000000000");
            EXPECT_EQ(module, "");
        } else {
            EXPECT_NE(id, "00000000-0000-0000-0000-000000000000");
            EXPECT_EQ(module, "winemm.vxd");
        }
    }
    EXPECT_TRUE(primary) << "Wine lists its primary capture driver first";
    for (const char* step : {"open: ", "record: ", "close: "}) {
        const std::vector<std::string> answers = LinesAfter(texts, step);
        for (const std::string& answer : answers) EXPECT_EQ(answer, "Ok") << step;
    }
    // Each records a take of 300 ms that ends by itself.
    EXPECT_EQ(LinesAfter(texts, "stop: "), std::vector<std::string>(devices.size(), "0 Ok"));
    for (size_t i = 1; i <= devices.size(); ++i) {
        const WavFile take = ReadWav(FileOf("devices", "device-" + std::to_string(i) + ".wav"));
        ASSERT_TRUE(take.parsed) << take.failure;
        EXPECT_EQ(take.format.dataBytes, 6614u) << devices[i - 1];
    }
    EXPECT_EQ(LinesAfter(texts, "unknown: "),
              std::vector<std::string>{"Error :Cannot find user supplied audio capture device (-1)"});
}

// ---- bad paths --------------------------------------------------------------------------

TEST_F(WineTier, PathsWindowsRefusesFailAndTheTakeSavesIntact) {
    ASSERT_EQ(ExitStatus("bad-input"), 0);
    const std::vector<std::string> texts = PutTexts(Transcript("bad-input"));
    for (const char* refused : {"missing folder: ", "forbidden: "}) {
        const std::vector<std::string> answers = LinesAfter(texts, refused);
        ASSERT_EQ(answers.size(), 1u) << refused;
        EXPECT_EQ(answers[0].rfind("Error :Could not create sound file (", 0), 0u) << refused << answers[0];
    }
    EXPECT_EQ(LinesAfter(texts, "long path 499: "),
              std::vector<std::string>{"Error :Could not create sound file: the name is too long (-1)"});
    EXPECT_EQ(LinesAfter(texts, "intact: "), std::vector<std::string>{"Ok"});
    const WavFile wav = ReadWav(FileOf("bad-input", "take.wav"));
    ASSERT_TRUE(wav.parsed) << wav.failure;
    EXPECT_EQ(wav.format.dataBytes, 11024u);
    ExpectTheTone(wav, 5.0);
}

// ---- playback really plays --------------------------------------------------------------

TEST_F(WineTier, PlaybackIsHeardByASecondObjectAndEndsByItself) {
    ASSERT_EQ(ExitStatus("playback"), 0);
    const std::vector<std::string> texts = PutTexts(Transcript("playback"));
    for (const char* step : {"a records: ", "a saved: ", "b records: ", "a plays: ", "b saved: "}) {
        EXPECT_EQ(LinesAfter(texts, step), std::vector<std::string>{"Ok"}) << step;
    }
    for (const char* wait : {"tone heard: ", "tone over: "}) {
        const std::vector<std::string> waited = LinesAfter(texts, wait);
        ASSERT_EQ(waited.size(), 1u);
        EXPECT_NE(waited[0], "-1") << wait;
    }
    // IsSoundPlaying turns 0 by itself once the 1.5 s take has played. Wine's
    // mixer moves the buffer on only as fast as it mixes, which in the
    // emulated machine falls behind the clock (up to 4.5 x seen).
    const std::vector<std::string> played = LinesAfter(texts, "played: ");
    ASSERT_EQ(played.size(), 1u);
    EXPECT_GE(std::stoi(played[0]), 1400);
    EXPECT_LE(std::stoi(played[0]), 8000);

    const WavFile a = ReadWav(FileOf("playback", "a.wav"));
    ASSERT_TRUE(a.parsed) << a.failure;
    EXPECT_TRUE(WithinPercent(DominantFrequency(a.Channel(0), a.format.sampleRate, 100.0, 5000.0), 440.0, 2.0));
    EXPECT_TRUE(WithinPercent(MeanMagnitude(a.Channel(0)), kToneMagnitude16, 5.0));
    const WavFile b = ReadWav(FileOf("playback", "b.wav"));
    ASSERT_TRUE(b.parsed) << b.failure;
    // A's take at its own level and pitch is in what B heard. In the emulated
    // machine Wine's mixer falls behind and the sink plays silence between
    // its writes, so the take reaches B in pieces: B's take is judged in
    // short blocks, and only where it sounds.
    const std::vector<int32_t> heard = b.Channel(0);
    const size_t block = b.format.sampleRate / 88;  // five periods of 440 Hz
    std::vector<double> sounding;
    size_t runStart = 0, longestStart = 0, longestEnd = 0;
    for (size_t from = 0; from + block <= heard.size(); from += block) {
        const double magnitude = MeanMagnitude({heard.begin() + from, heard.begin() + from + block});
        if (magnitude > kToneMagnitude16 / 2) {
            sounding.push_back(magnitude);
            if (from + block - runStart > longestEnd - longestStart) {
                longestStart = runStart;
                longestEnd = from + block;
            }
        } else {
            runStart = from + block;
        }
    }
    const std::vector<int32_t> longestRun(heard.begin() + longestStart, heard.begin() + longestEnd);
    // A third of the 1.5 s take at least, even if B's 4 s ended mid-play.
    ASSERT_GE(sounding.size() * block, b.format.sampleRate / 2) << "B heard " << sounding.size() << " blocks";
    // Blocks at the edge of a gap are partly silent: the upper quartile is
    // the level of the whole ones.
    const size_t upperQuartile = sounding.size() * 3 / 4;
    std::nth_element(sounding.begin(), sounding.begin() + upperQuartile, sounding.end());
    EXPECT_TRUE(WithinPercent(sounding[upperQuartile], kToneMagnitude16, 10.0));
    ASSERT_GE(longestRun.size(), b.format.sampleRate / 20) << "no unbroken 50 ms";
    EXPECT_TRUE(WithinPercent(DominantFrequency(longestRun, b.format.sampleRate, 100.0, 5000.0), 440.0, 2.0));
}

}  // namespace
}  // namespace wine_tier
