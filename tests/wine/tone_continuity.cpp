#include "tone_continuity.h"

#include <algorithm>
#include <cmath>

namespace wine_tier {

ToneContinuity MeasureToneContinuity(const std::vector<int32_t>& samples, uint32_t sampleRate) {
    ToneContinuity continuity;
    std::vector<double> crossings;
    for (size_t n = 1; n < samples.size(); ++n) {
        const double before = samples[n - 1];
        const double after = samples[n];
        if (before < 0 && after >= 0) crossings.push_back(static_cast<double>(n - 1) + -before / (after - before));
    }
    continuity.crossings = crossings.size();
    if (crossings.size() < 3) return continuity;
    std::vector<double> intervals;
    for (size_t k = 1; k < crossings.size(); ++k) intervals.push_back(crossings[k] - crossings[k - 1]);
    std::vector<double> sorted = intervals;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
    const double period = sorted[sorted.size() / 2];
    for (size_t k = 0; k < intervals.size(); ++k) {
        const double jump = std::fabs(intervals[k] - period);
        if (jump > continuity.largestJump) {
            continuity.largestJump = jump;
            continuity.atSecond = crossings[k] / sampleRate;
        }
    }
    return continuity;
}

}  // namespace wine_tier
