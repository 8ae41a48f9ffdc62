// Keeps every benchmark's figures while printing them, and writes them
// beside their limits as the RESULTS.md table.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

struct Figure {
    double nanoseconds = 0;  // real time per iteration
    std::map<std::string, double> counters;
};

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // Null when the benchmark did not run.
    const Figure* Find(const std::string& name) const;

private:
    std::map<std::string, Figure> figures_;
};

bool WriteResults(const CollectingReporter& figures, const std::string& path);

}  // namespace bench
