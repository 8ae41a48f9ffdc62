#include "results_report.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

#include "loaded_session.h"

namespace bench {

// Over repetitions, a figure keeps the fastest time (this machine's other
// work only ever adds to a run) and the largest of each counter (the worst
// peak).
void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred || run.iterations == 0 || run.run_type != Run::RT_Iteration) {
            continue;
        }
        const double nanoseconds = run.real_accumulated_time / static_cast<double>(run.iterations) * 1e9;
        const auto [kept, first] = figures_.try_emplace(run.benchmark_name());
        Figure& figure = kept->second;
        figure.nanoseconds = first ? nanoseconds : std::min(figure.nanoseconds, nanoseconds);
        for (const auto& [name, counter] : run.counters) {
            const auto [value, added] = figure.counters.try_emplace(name, counter.value);
            value->second = added ? counter.value : std::max(value->second, static_cast<double>(counter.value));
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

const Figure* CollectingReporter::Find(const std::string& name) const {
    const auto found = figures_.find(name);
    return found == figures_.end() ? nullptr : &found->second;
}

namespace {

const int kTakeSeconds[] = {1, 10, 60};

std::string CpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("model name", 0) == 0) {
            return line.substr(line.find(':') + 2);
        }
    }
    return "unknown";
}

std::string Today() {
    char text[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    return text;
}

std::string Number(double value, int decimals = 1) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Bytes per second of a benchmark over a take of seconds.
double Throughput(const Figure& figure, int seconds) {
    return static_cast<double>(StereoTakeBytes(seconds)) / (figure.nanoseconds * 1e-9);
}

class Table {
public:
    explicit Table(const CollectingReporter& figures) : figures_(figures) {}

    const Figure* Need(const std::string& name) {
        const Figure* figure = figures_.Find(name);
        if (figure == nullptr) {
            missing_ += " " + name;
        }
        return figure;
    }

    void Row(const std::string& what, const std::string& measured, const std::string& limit, bool holds) {
        out_ << "| " << what << " | " << measured << " | " << limit << " | " << (holds ? "holds" : "**fails**")
             << " |\n";
        allHold_ = allHold_ && holds;
    }

    std::ostringstream& Out() { return out_; }
    const std::string& Missing() const { return missing_; }
    bool AllHold() const { return allHold_; }

private:
    const CollectingReporter& figures_;
    std::ostringstream out_;
    std::string missing_;
    bool allHold_ = true;
};

void LevelRows(Table& table) {
    const Figure* level = table.Need("BM_GetInputLevel_Default");
    const Figure* stereo = table.Need("BM_GetInputLevel_Stereo44k");
    const Figure* loop550 = table.Need("BM_SumLoop/550");
    const Figure* loop4410 = table.Need("BM_SumLoop/4410");
    if (level != nullptr && loop550 != nullptr) {
        table.Row("GetInputLevel, 11.025 kHz mono, 50 ms (550 samples)", Number(level->nanoseconds) + " ns",
                  "under 2000 ns", level->nanoseconds < 2000);
        const double ratio = level->nanoseconds / loop550->nanoseconds;
        table.Row("... beside the plain loop over 550 samples (" + Number(loop550->nanoseconds) + " ns)",
                  Number(ratio, 2) + " x", "at most 3 x", ratio <= 3.0);
    }
    if (stereo != nullptr && loop4410 != nullptr) {
        const double ratio = stereo->nanoseconds / loop4410->nanoseconds;
        table.Row("GetInputLevel, 44.1 kHz stereo, 8820-byte window (" + Number(stereo->nanoseconds) +
                      " ns) beside the loop over 4410 samples (" + Number(loop4410->nanoseconds) + " ns)",
                  Number(ratio, 2) + " x", "at most 2 x", ratio <= 2.0);
    }
    std::vector<double> recording;
    for (int seconds : kTakeSeconds) {
        const Figure* figure = table.Need("BM_GetInputLevel_Recording/" + std::to_string(seconds));
        if (figure != nullptr) {
            recording.push_back(figure->nanoseconds);
        }
    }
    if (recording.size() == 3) {
        const double spread = std::max({recording[0], recording[1], recording[2]}) /
                              std::min({recording[0], recording[1], recording[2]});
        table.Row("GetInputLevel during 1 s / 10 s / 60 s recordings",
                  Number(recording[0]) + " / " + Number(recording[1]) + " / " + Number(recording[2]) + " ns",
                  "independent of the take (spread at most 1.5 x)", spread <= 1.5);
    }
}

void DispatchRows(Table& table) {
    const Figure* empty = table.Need("BM_EmptyHostCall");
    const Figure* isOpen = table.Need("BM_IsAudioOpenCall");
    const Figure* integer = table.Need("BM_HostIntegerValue");
    if (empty == nullptr || isOpen == nullptr || integer == nullptr) {
        return;
    }
    const double above = isOpen->nanoseconds - empty->nanoseconds;
    table.Row("IsAudioOpen through Call (" + Number(isOpen->nanoseconds) + " ns) above an empty host call (" +
                  Number(empty->nanoseconds) + " ns), tracing off",
              Number(above) + " ns", "at most 150 ns", above <= 150);
    table.Out() << "| ... of which the host makes and releases the integer answer | " << Number(integer->nanoseconds)
                << " ns | (host's share) | |\n";
    if (const Figure* result = table.Need("BM_HostLevelResult"); result != nullptr) {
        table.Out() << "| GetInputLevel's result list made and released in the test host's value store alone | "
                    << Number(result->nanoseconds) << " ns | (host's share) | |\n";
    }
    const Figure* engineMono = table.Need("BM_EngineGetLevel/1");
    const Figure* engineStereo = table.Need("BM_EngineGetLevel/2");
    if (engineMono != nullptr && engineStereo != nullptr) {
        table.Out() << "| Where GetInputLevel's time goes: the engine's GetLevel alone, mono / stereo | "
                    << Number(engineMono->nanoseconds) << " / " << Number(engineStereo->nanoseconds)
                    << " ns | (the rest is dispatcher and host values) | |\n";
    }
}

// Cost per byte at 60 s over the least cost per byte at 1 s or 10 s.
double PerByteGrowth(const std::vector<double>& nanoseconds) {
    std::vector<double> perByte;
    for (size_t i = 0; i < nanoseconds.size(); ++i) {
        perByte.push_back(nanoseconds[i] / static_cast<double>(StereoTakeBytes(kTakeSeconds[i])));
    }
    return perByte[2] / std::min(perByte[0], perByte[1]);
}

// Linear when the cost per byte grows from the small takes to the 60 s take
// by at most 2 x what the plain operation of the same size (memcpy, fwrite)
// grows by itself once the take outgrows the caches.
void GrowthRow(Table& table, const std::string& what, const std::string& benchmark, const std::string& suffix,
               const std::string& baseline) {
    std::vector<double> measured;
    std::vector<double> plain;
    for (int seconds : kTakeSeconds) {
        const std::string size = "/" + std::to_string(seconds);
        const Figure* figure = table.Need(benchmark + size + suffix);
        const Figure* against = table.Need(baseline + size);
        if (figure == nullptr || against == nullptr) {
            return;
        }
        measured.push_back(figure->nanoseconds);
        plain.push_back(against->nanoseconds);
    }
    const double growth = PerByteGrowth(measured);
    const double plainGrowth = PerByteGrowth(plain);
    table.Row(what + ": ms at 1 s / 10 s / 60 s; cost per byte at 60 s " + Number(growth, 2) + " x the smaller takes' (" +
                  baseline.substr(3) + ": " + Number(plainGrowth, 2) + " x)",
              Number(measured[0] * 1e-6, 3) + " / " + Number(measured[1] * 1e-6, 3) + " / " +
                  Number(measured[2] * 1e-6, 3),
              "linear (growth at most 2 x the plain operation's)", growth <= 2.0 * std::max(1.0, plainGrowth));
}

// Context figures, shown beside each row without a limit of their own: a
// variant of the plain operation, and the floor the operation must pay for.
struct RowContext {
    std::string name;
    std::string benchmark;
};

void ThroughputRows(Table& table, const std::string& what, const std::string& benchmark,
                    const std::string& baseline, double least, const std::vector<RowContext>& contexts = {}) {
    for (int seconds : kTakeSeconds) {
        const std::string suffix = "/" + std::to_string(seconds);
        const Figure* measured = table.Need(benchmark + suffix);
        const Figure* against = table.Need(baseline + suffix);
        if (measured == nullptr || against == nullptr) {
            continue;
        }
        const double plain = Throughput(*against, seconds);
        const double ratio = Throughput(*measured, seconds) / plain;
        std::string context;
        for (const RowContext& shown : contexts) {
            if (const Figure* figure = table.Need(shown.benchmark + suffix); figure != nullptr) {
                const double throughput = Throughput(*figure, seconds);
                context += "; " + shown.name + ": " + Number(throughput / 1e6) + " MB/s, " +
                           Number(throughput / plain * 100) + " %";
            }
        }
        table.Row(what + ", " + std::to_string(seconds) + " s take (" + Number(Throughput(*measured, seconds) / 1e6) +
                      " MB/s beside " + Number(plain / 1e6) + " MB/s" + context + ")",
                  Number(ratio * 100) + " %", "at least " + Number(least * 100, 0) + " %", ratio >= least);
    }
}

void MemberRows(Table& table) {
    for (int seconds : kTakeSeconds) {
        const Figure* figure = table.Need("BM_SaveAsMemberPeak/" + std::to_string(seconds) + "/iterations:3");
        if (figure == nullptr) {
            continue;
        }
        const double growth = figure->counters.at("peak_growth");
        const double image = figure->counters.at("image");
        const double buffer = figure->counters.at("capture_buffer");
        // The test host copies the image into its member; that copy is the host's.
        // The high-water mark counts whole pages.
        const double xtraPeak = buffer + growth - image;
        const double pageSlack = 64.0 * 1024;
        table.Row("SaveAsMember peak, " + std::to_string(seconds) + " s take: capture buffer + growth less the " +
                      "host's copy (" + Number(growth / 1e6, 2) + " MB growth)",
                  Number(xtraPeak / 1e6, 2) + " MB", "at most " + Number((buffer + image) / 1e6, 2) + " MB",
                  xtraPeak <= buffer + image + pageSlack);
    }
}

// The sections other tools add after the table (the random walk's, the
// figures under Wine): kept as they were, for those tools rewrite only their own.
std::string LaterSections(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string old = text.str();
    const size_t at = old.find("\n## ");
    return at == std::string::npos ? std::string() : old.substr(at);
}

}  // namespace

bool WriteResults(const CollectingReporter& figures, const std::string& path) {
    const std::string later = LaterSections(path);
    Table table(figures);
    LevelRows(table);
    DispatchRows(table);
    ThroughputRows(table, "SaveAsFile beside one fwrite", "BM_SaveAsFile", "BM_Fwrite", 0.5);
    const RowContext newBlock{"memcpy into a new block", "BM_MemcpyIntoNewBlock"};
    // The image's block must be zero-filled: that pass is in its floor.
    const RowContext imageFloor{"a zero-filled block and one copy alone", "BM_ZeroFilledBlockAndCopy"};
    ThroughputRows(table, "SoundImage beside memcpy", "BM_SoundImage", "BM_Memcpy", 0.7, {newBlock, imageFloor});
    ThroughputRows(table, "First PlaySound copy beside memcpy", "BM_FirstPlayCopy", "BM_Memcpy", 0.7, {newBlock});
    MemberRows(table);
    GrowthRow(table, "SaveAsFile", "BM_SaveAsFile", "", "BM_Fwrite");
    GrowthRow(table, "SoundImage", "BM_SoundImage", "", "BM_Memcpy");
    GrowthRow(table, "First PlaySound copy", "BM_FirstPlayCopy", "", "BM_Memcpy");
    GrowthRow(table, "SaveAsMember", "BM_SaveAsMemberPeak", "/iterations:3", "BM_Memcpy");

    std::ofstream out(path);
    out << "# Benchmark results\n\n"
        << "Written by `make bench` (bench/marlowtide_bench, RelWithDebInfo). Each figure is measured in the same "
        << "run as the figure it is compared with; the ratio is what counts. Every time is the fastest of the run's "
        << "repetitions, both sides of a ratio alike.\n\n"
        << "- Date: " << Today() << "\n"
        << "- Machine: " << std::thread::hardware_concurrency() << " cores (nproc), " << CpuModel() << "\n"
        << "- Compiler: " << __VERSION__ << "\n"
        << "- Takes: 44.1 kHz 16-bit stereo (176400 bytes a second; 60 s = 10,584,000 bytes), simulator on the "
        << "manual clock\n\n"
        << "| Figure | Measured | Limit | |\n|---|---|---|---|\n"
        << table.Out().str() << "\n"
        << (table.AllHold() ? "Every limit holds.\n" : "Not every limit holds: see the rows marked **fails**.\n");
    if (!table.Missing().empty()) {
        out << "\nNot measured in this run:" << table.Missing() << "\n";
    }
    out << later;
    std::printf("results written to %s\n", path.c_str());
    return static_cast<bool>(out);
}

}  // namespace bench
