// The golden scripts and examples that ask nothing of the simulator, run
// under Wine, against their golden transcripts: equal but for the lines that
// tests/wine/golden-filter.txt names, each with its reason. The packaged
// marlowhost.exe runs one of the examples the same way.
#include <gtest/gtest.h>

#include <dirent.h>

#include <regex>
#include <sstream>

#include "tier_output.h"
#include "wav_analysis.h"

namespace wine_tier {
namespace {

struct DropRule {
    std::string script;  // "*" for every script
    std::regex line;
};

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

std::vector<DropRule> DropRules() {
    std::vector<DropRule> rules;
    for (const std::string& line : LinesOf(std::string(MARLOWTIDE_SOURCE_DIR) + "/tests/wine/golden-filter.txt")) {
        if (line.empty() || line[0] == '#') continue;
        const size_t bar = line.find(" | ");
        const size_t reason = line.rfind(" | ");
        if (bar == std::string::npos || reason == bar) continue;
        rules.push_back({Trimmed(line.substr(0, bar)), std::regex(Trimmed(line.substr(bar + 3, reason - bar - 3)))});
    }
    return rules;
}

std::vector<std::string> Kept(const std::vector<std::string>& lines, const std::string& script,
                              const std::vector<DropRule>& rules) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        bool dropped = false;
        for (const DropRule& rule : rules) {
            if ((rule.script == "*" || rule.script == script) && std::regex_search(line, rule.line)) dropped = true;
        }
        if (!dropped) kept.push_back(line);
    }
    return kept;
}

// The runs the session named golden-SCRIPT.
std::vector<std::string> GoldenRuns() {
    std::vector<std::string> scripts;
    if (DIR* folder = opendir(OutputFolder().c_str())) {
        while (dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            const std::string prefix = "golden-";
            if (name.rfind(prefix, 0) == 0 && name.size() > 4 && name.compare(name.size() - 4, 4, ".out") == 0) {
                scripts.push_back(name.substr(prefix.size(), name.size() - prefix.size() - 4));
            }
        }
        closedir(folder);
    }
    return scripts;
}

std::string Listing(const std::vector<std::string>& lines) {
    std::ostringstream text;
    for (const std::string& line : lines) text << "    " << line << "\n";
    return text.str();
}

// The run answered as the script's golden transcript says, but for the
// lines the filter drops.
void ExpectGoldenAnswers(const std::string& run, const std::string& script, const std::vector<DropRule>& rules) {
    std::vector<std::string> ran = Transcript(run);
    ran.push_back("[exit " + std::to_string(ExitStatus(run)) + "]");
    const std::vector<std::string> golden =
        LinesOf(std::string(MARLOWTIDE_SOURCE_DIR) + "/tests/scripts/" + script + ".out");
    ASSERT_FALSE(golden.empty()) << "no golden transcript for " << script;
    const std::vector<std::string> expected = Kept(golden, script, rules);
    const std::vector<std::string> actual = Kept(ran, script, rules);
    EXPECT_EQ(actual, expected) << run << " under Wine printed\n"
                                << Listing(actual) << "where the golden transcript, filtered, has\n"
                                << Listing(expected);
}

TEST(WineGolden, ScriptsAnswerUnderWineAsOnTheSimulator) {
    if (SessionSkipped()) GTEST_SKIP() << "no session was needed on this host";
    if (RanEmulated()) GTEST_SKIP() << "the golden scripts run only where Wine runs directly";
    const std::vector<std::string> scripts = GoldenRuns();
    EXPECT_GE(scripts.size(), 20u) << "the session ran too few golden scripts";
    const std::vector<DropRule> rules = DropRules();
    ASSERT_FALSE(rules.empty()) << "no rules in tests/wine/golden-filter.txt";
    for (const std::string& script : scripts) {
        SCOPED_TRACE(script);
        ExpectGoldenAnswers("golden-" + script, script, rules);
    }
}

// The package's marlowhost.exe, run from the unpacked zip, finds the Xtra in
// the Xtras folder beside it and records the tone as the built one does.
TEST(WinePackage, UnpackedHostRunsAnExampleWithThePackagedXtra) {
    if (SessionSkipped()) GTEST_SKIP() << "no session was needed on this host";
    ASSERT_NE(ExitStatus("package-record"), -1) << "the session did not run the package: make dist makes it";
    ExpectGoldenAnswers("package-record", "example-record", DropRules());
    const WavFile take = ReadWav(FileOf("package-record", "take.wav"));
    ASSERT_TRUE(take.parsed) << take.failure;
    // About three seconds; the start may come late under Wine.
    EXPECT_GE(take.Frames(), take.format.sampleRate * 2);
    EXPECT_LE(take.Frames(), take.format.sampleRate * 5);
    EXPECT_NEAR(DominantFrequency(take.Channel(0), take.format.sampleRate, 100.0, 5000.0), 1000.0, 20.0);
}

}  // namespace
}  // namespace wine_tier
