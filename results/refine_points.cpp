// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/refine_points.h"

namespace zm {

std::vector<RefinePoint> refinePointsOf(const SweepRecord& record) {
    std::vector<RefinePoint> points;
    points.reserve(record.points.size());
    for (const SweepPoint& point : record.points) {
        if (point.reading) {
            points.push_back({RefineReading{point.reading->swr, point.reading->impedance()}});
        } else {
            // A point beyond the feedline's loss was keyed: its reading is the meter's.
            const bool keyable = !point.taken && point.skipped != SkipReason::OutsideBandPlan &&
                                 point.skipped != SkipReason::BeyondFeedlineLoss;
            points.push_back({std::nullopt, keyable});
        }
    }
    return points;
}

}  // namespace zm
