// SPDX-License-Identifier: GPL-3.0-or-later
// Which of the plan's points a sweep keys: every one in order, or only those the refine
// rule needs for the curve.

#include "app/frm_main.h"
#include "results/refine_points.h"
#include "sweep/refine_rule.h"

namespace zm {

std::optional<int> frmMain::nextSweepPoint(std::optional<int> previous) const {
    if (m_sweep.refining) {
        // The readings as the chart shows them: behind a feedline the answers that count are
        // the antenna's, when it is shown at the antenna.
        const std::optional<int> index = nextPointToKey(refinePointsOf(m_shownRecord));
        return index ? std::optional(*index + 1) : std::nullopt;
    }
    const int next = previous.value_or(0) + 1;
    return next <= m_plan.PointCount ? std::optional(next) : std::nullopt;
}

// "Keyed 14 of 101 points", on a line after what the window says of the band plan.
void frmMain::finishRefinedSweep(bool completed) {
    int keyed = 0;
    for (SweepPoint& point : m_record.points) {
        keyed += point.taken ? 1 : 0;
        if (!completed && point.skipped == SkipReason::NotNeeded) {
            point.skipped.reset();
        }
    }
    showSweepRecord();
    const std::string keyedPoints =
        "Keyed " + std::to_string(keyed) + " of " + std::to_string(m_plan.PointCount) + " points";
    m_devices.chart->setNotice(
        m_sweep.planNotice.empty() ? keyedPoints : m_sweep.planNotice + "\n" + keyedPoints);
}

}  // namespace zm
