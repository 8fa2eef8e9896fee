// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/sweep_entry.h"

#include <algorithm>

#include "feedline/reading_plane.h"

namespace zm {

namespace {

constexpr double kFixedWaitKeyedSeconds = 1.2;
constexpr double kSecondsPerReading = 0.2;

}  // namespace

std::string endingText(const SweepEnding& ending) {
    switch (ending.how) {
        case SweepEnding::How::Completed:
            return "completed";
        case SweepEnding::How::Asked:
            return "stopped: asked";
        case SweepEnding::How::Stopped:
        case SweepEnding::How::Failed:
            break;
    }
    return ending.why.empty() ? "stopped" : "stopped: " + ending.why;
}

SweepRecord recordAsShown(const SweepEntry& entry) {
    return recordAtPlane(entry.record, entry.shownPlane,
                         entry.feedline ? &*entry.feedline : nullptr);
}

std::string bandHolding(const BandPlan& plan, const SweepRecord& record) {
    const Band* holding = nullptr;
    std::ptrdiff_t most = 0;
    for (const Band& band : plan.bands) {
        const auto inside = std::count_if(
            record.points.begin(), record.points.end(), [&band](const SweepPoint& point) {
                return point.reading && point.frequencyHz >= band.lowestHz() &&
                       point.frequencyHz <= band.highestHz();
            });
        if (inside > most) {
            most = inside;
            holding = &band;
        }
    }
    return holding ? holding->name : std::string();
}

double keyedSecondsOf(const SweepRecord& record) {
    double seconds = 0.0;
    for (const SweepPoint& point : record.points) {
        if (point.taken && point.taken->how != PointTaking::How::FixedWait) {
            seconds += point.taken->readings * kSecondsPerReading;
        } else if (point.taken || point.reading) {
            seconds += kFixedWaitKeyedSeconds;
        }
    }
    return seconds;
}

}  // namespace zm
