// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/curve_runs.h"

#include <algorithm>
#include <cmath>

#include "chart/decimate.h"

namespace zm {

namespace {

std::vector<DrawnPoint> drawnRun(std::span<const CurvePoint> run, std::size_t bucketCount) {
    std::vector<double> values;
    values.reserve(run.size());
    for (const CurvePoint& point : run) {
        values.push_back(point.value);
    }
    std::vector<DrawnPoint> drawn;
    for (const KeptPoint& kept : decimateMinMax(values, bucketCount)) {
        drawn.push_back({run[kept.index].position, kept.value});
    }
    return drawn;
}

}  // namespace

std::vector<std::vector<DrawnPoint>> curveRuns(std::span<const CurvePoint> points,
                                               std::size_t bucketCount) {
    std::vector<CurvePoint> valued;
    std::vector<std::size_t> runEnds;  // where each run ends in `valued`
    for (const CurvePoint& point : points) {
        if (std::isfinite(point.value)) {
            valued.push_back(point);
        } else if (!point.bridged && (runEnds.empty() || runEnds.back() != valued.size())) {
            runEnds.push_back(valued.size());
        }
    }
    if (runEnds.empty() || runEnds.back() != valued.size()) {
        runEnds.push_back(valued.size());
    }
    std::vector<std::vector<DrawnPoint>> runs;
    std::size_t begin = 0;
    for (const std::size_t end : runEnds) {
        if (end == begin) {
            continue;
        }
        const std::span<const CurvePoint> run(valued.data() + begin, end - begin);
        // The run's share of the buckets, rounded up: a short run is never thinned.
        const std::size_t buckets =
            bucketCount == 0
                ? 0
                : std::max<std::size_t>(
                      1, (run.size() * bucketCount + valued.size() - 1) / valued.size());
        runs.push_back(drawnRun(run, buckets));
        begin = end;
    }
    return runs;
}

bool curveRunsAcross(std::optional<SkipReason> skipped) {
    if (!skipped) {
        return false;
    }
    switch (*skipped) {
        case SkipReason::OutsideBandPlan:
        case SkipReason::BeyondFeedlineLoss:
            return false;
        case SkipReason::NotNeeded:  // a refined sweep's curve runs straight between its points
            return true;
    }
    return false;
}

}  // namespace zm
