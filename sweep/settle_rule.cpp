// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/settle_rule.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zm {

namespace {

constexpr double kPowerTolerance = 0.05;  // of the reading
constexpr double kZTolerance = 0.01;      // of the reading, or kZToleranceOhms if larger
constexpr double kZToleranceOhms = 0.5;
constexpr double kPhaseToleranceDegrees = 1.0;

// A step before of this many tolerances is far above the meter's noise: the ratio of the
// last step to it tells what is left to come.
constexpr double kStepsTheRatioTellsFrom = 3.0;
// Below that, the three readings must span at most this part of the tolerance.
constexpr double kSpanOfSmallSteps = 0.5;

// The drift still to come after readings a, b, c taken at equal steps.
double projectedDrift(double a, double b, double c) {
    const double lastStep = c - b;
    const double stepBefore = b - a;
    if (lastStep * stepBefore <= 0.0) {
        return std::fabs(lastStep);
    }
    const double ratio = lastStep / stepBefore;
    if (ratio >= 1.0) {
        return std::numeric_limits<double>::infinity();
    }
    return std::fabs(lastStep) * ratio / (1.0 - ratio);
}

bool hasSettled(double a, double b, double c, double tolerance) {
    if (std::fabs(c - b) > tolerance) {
        return false;
    }
    if (std::fabs(b - a) >= kStepsTheRatioTellsFrom * tolerance) {
        return projectedDrift(a, b, c) <= tolerance;
    }
    return std::fabs(c - a) <= kSpanOfSmallSteps * tolerance;
}

}  // namespace

bool SettleRule::settledAfter(std::optional<SettleSample> reading) {
    if (!reading) {
        return false;
    }
    m_lastThree.push_back(*reading);
    if (m_lastThree.size() > 3) {
        m_lastThree.erase(m_lastThree.begin());
    }
    if (m_lastThree.size() < 3 || reading->powerW < kNoPowerBelowW) {
        return false;
    }
    const SettleSample& a = m_lastThree[0];
    const SettleSample& b = m_lastThree[1];
    const SettleSample& c = m_lastThree[2];
    return hasSettled(a.powerW, b.powerW, c.powerW, kPowerTolerance * c.powerW) &&
           hasSettled(a.zOhms, b.zOhms, c.zOhms,
                      std::max(kZTolerance * c.zOhms, kZToleranceOhms)) &&
           hasSettled(a.phaseDegrees, b.phaseDegrees, c.phaseDegrees, kPhaseToleranceDegrees);
}

}  // namespace zm
