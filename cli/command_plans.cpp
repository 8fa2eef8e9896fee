// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_plans.h"

#include "bandplan/carrier_rule.h"
#include "cli/band_choice.h"
#include "engine/band_plan_gate.h"
#include "sweep/band_sweeps.h"
#include "sweep/carrier_mode.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

CommandSweep sweepOf(std::string bandName, double startMHz, double stopMHz, double stepMHz,
                     std::int16_t carrierMode) {
    SweepPlan plan{
        .StartFreq = startMHz,
        .StopFreq = stopMHz,
        .StepFreq = stepMHz,
        .PointCount = std::int16_t(pointCountFor(startMHz, stopMHz, stepMHz).value_or(0)),
        .CarrierMode = carrierMode};
    return {std::move(bandName), plan};
}

}  // namespace

std::variant<std::vector<CommandSweep>, UsageError> commandSweeps(const SweepCommandLine& line,
                                                                  const BandPlan& bandPlan,
                                                                  std::int16_t carrierMode,
                                                                  int bandPoints) {
    std::vector<CommandSweep> sweeps;
    if (line.span) {
        sweeps.push_back(
            sweepOf({}, line.span->startMHz, line.span->stopMHz, line.span->stepMHz, carrierMode));
        return sweeps;
    }
    const auto names = bandsOfPlan(bandPlan, line.bands);
    if (const auto* why = std::get_if<std::string>(&names)) {
        return UsageError{*why};
    }
    for (const BandSweep& band : bandSweeps(bandPlan, std::get<std::vector<std::string>>(names),
                                            line.pointsPerBand.value_or(bandPoints))) {
        sweeps.push_back(
            sweepOf(band.bandName, band.startMHz, band.stopMHz, band.stepMHz, carrierMode));
    }
    return sweeps;
}

std::string nothingToSweep(const CommandSweep& sweep, const BandPlan& bandPlan) {
    const std::string refusal = bandPlanGate(sweep.plan, bandPlan).refusal;
    if (refusal.empty() || bandPlan.bands.empty()) {
        return refusal;  // without a plan, the gate's own advice: install it, or write one
    }
    const auto hzOf = [&](int point) {
        return rigFrequencyHz(pointFrequencyMHz(sweep.plan, point)).value_or(0);
    };
    std::string reason = nothingToSweepReason(bandPlan, hzOf(1), hzOf(sweep.plan.PointCount),
                                              sidebandHzOf(sweep.plan.CarrierMode));
    if (reason.ends_with('.')) {
        reason.pop_back();
    }
    return reason + "; sweep a band of the plan with --band, or choose another plan with --plan";
}

PlannedSweep plannedSweep(const CommandSweep& sweep, const BandPlan& bandPlan) {
    PlannedSweep planned{sweep.bandName, {}};
    for (int point = 1; point <= sweep.plan.PointCount; ++point) {
        const double frequencyMHz = pointFrequencyMHz(sweep.plan, point);
        planned.points.push_back({rigFrequencyHz(frequencyMHz).value_or(0),
                                  carrierAllowed(bandPlan, sweep.plan.CarrierMode, frequencyMHz)
                                      ? std::nullopt
                                      : std::optional(SkipReason::OutsideBandPlan)});
    }
    return planned;
}

}  // namespace zm
