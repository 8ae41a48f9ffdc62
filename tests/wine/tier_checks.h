// What the checks of every scenario share: their fixture, which skips when
// no session ran on this host, tolerances, and the level of the tones the
// session plays.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "tier_output.h"

namespace wine_tier {

// The tones played into the sinks are sines at half scale: their mean
// magnitude is 2 x 16384 / pi in 16 bits, 2 x 64 / pi in 8 bits.
constexpr double kToneMagnitude16 = 10430.4;
constexpr double kToneMagnitude8 = 40.74;

inline ::testing::AssertionResult WithinPercent(double value, double target, double percent) {
    if (std::fabs(value - target) <= target * percent / 100.0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << value << " is not within " << percent << " % of " << target;
}

class WineTier : public ::testing::Test {
protected:
    void SetUp() override {
        if (SessionSkipped()) GTEST_SKIP() << "no session was needed on this host";
    }
};

}  // namespace wine_tier
