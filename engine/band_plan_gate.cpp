// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/band_plan_gate.h"

#include "bandplan/carrier_rule.h"
#include "sweep/carrier_mode.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

constexpr std::string_view kNoBandPlan =
    "Nothing to sweep: no band plan could be read, so Run keys the transmitter nowhere. Install "
    "ZM-480 Plot again, or choose your own band plan (bands.ini) in Setup, Band plan.";

}  // namespace

double pointFrequencyMHz(const SweepPlan& plan, int point) {
    return sweepPointMHz(point, plan.StartFreq, plan.StepFreq);
}

bool carrierAllowed(const BandPlan& bands, std::int16_t carrierMode, double frequencyMHz) {
    const std::optional<std::int64_t> hz = rigFrequencyHz(frequencyMHz);
    return hz && carrierFits(bands, *hz, sidebandHzOf(carrierMode));
}

BandPlanGate bandPlanGate(const SweepPlan& plan, const BandPlan& bands) {
    if (bands.bands.empty()) {
        return {std::string(kNoBandPlan), {}};
    }
    int inside = 0;
    for (int i = 1; i <= plan.PointCount; ++i) {
        inside += carrierAllowed(bands, plan.CarrierMode, pointFrequencyMHz(plan, i)) ? 1 : 0;
    }
    if (inside == 0) {
        const auto hzOf = [&plan](int point) {
            return rigFrequencyHz(pointFrequencyMHz(plan, point)).value_or(0);
        };
        return {nothingToSweepMessage(bands, hzOf(1), hzOf(plan.PointCount),
                                      sidebandHzOf(plan.CarrierMode)),
                {}};
    }
    const int outside = plan.PointCount - inside;
    if (outside == 0) {
        return {};
    }
    return {{},
            std::to_string(outside) + " of " + std::to_string(plan.PointCount) +
                " points lie outside the bands of " + bands.title +
                " (shaded): they are not keyed."};
}

}  // namespace zm
