// What the checks of every scenario share: their fixture, which skips when
// no session ran on this host, and tolerances.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "tier_output.h"

namespace wine_tier {

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
