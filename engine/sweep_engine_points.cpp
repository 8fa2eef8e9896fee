// SPDX-License-Identifier: GPL-3.0-or-later
// Which of the plan's points a sweep keys, and how each is recorded: the band plan's check
// before anything goes to the radio, every point in order or only those the refine rule
// needs for the curve, and the record point by point.

#include <QDateTime>

#include "engine/band_plan_gate.h"
#include "engine/sweep_engine.h"
#include "engine/sweep_stopped.h"
#include "feedline/reading_plane.h"
#include "results/refine_points.h"
#include "sweep/refine_rule.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

double SweepEngine::pointFrequencyMHz(int point) const {
    return zm::pointFrequencyMHz(m_request.plan, point);
}

bool SweepEngine::carrierAllowed(double frequencyMHz) const {
    return zm::carrierAllowed(m_request.bandPlan, m_request.plan.CarrierMode, frequencyMHz);
}

// Before anything is sent to the radio: a sweep with no point inside the band plan is
// refused; else the front end hears how many points the sweep will skip, and why.
void SweepEngine::checkBandPlan() {
    const BandPlanGate gate = bandPlanGate(m_request.plan, m_request.bandPlan);
    if (!gate.refusal.empty()) {
        throw SweepStopped(gate.refusal, SweepEnd::NothingToSweep);
    }
    m_planNotice = gate.notice;
    m_reports.bandPlanNotice(m_planNotice);
}

// The plan's next point (from 1) to key after `previous`: every point in order, or the refine
// rule's choice from the readings so far; none when the sweep is done.
std::optional<int> SweepEngine::nextSweepPoint(std::optional<int> previous) const {
    if (m_refining) {
        // The readings as the chart shows them: behind a feedline the answers that count are
        // the antenna's, when it is shown at the antenna.
        const Feedline* line = m_request.feedline ? &*m_request.feedline : nullptr;
        const SweepRecord shown = recordAtPlane(m_record, m_request.shownPlane, line);
        const std::optional<int> index = nextPointToKey(refinePointsOf(shown));
        return index ? std::optional(*index + 1) : std::nullopt;
    }
    const int next = previous.value_or(0) + 1;
    return next <= m_request.plan.PointCount ? std::optional(next) : std::nullopt;
}

// A refined sweep's record holds every point of the plan in order from the start, each not
// needed until the refine rule keys it, and no earlier sweep's value stays in its rows.
void SweepEngine::beginSweepRecord() {
    const SweepPlan& plan = m_request.plan;
    const QString now = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
    m_record = SweepRecord{{now.toStdString(), plan.StartFreq, plan.StopFreq, plan.StepFreq,
                            plan.CarrierMode, antennaSwept()},
                           {}};
    m_refining = m_request.sweep.points == PlanPoints::Refine;
    SweepBegun begun;
    for (int point = 1; point <= plan.PointCount; ++point) {
        const double frequencyMHz = pointFrequencyMHz(point);
        const bool allowed = carrierAllowed(frequencyMHz);
        begun.pointsToKey += allowed ? 1 : 0;
        if (m_refining) {
            begun.rows.push_back(gridRowOf(point, m_request.plotMode, nullptr));
            m_record.points.push_back(
                {.frequencyHz = rigFrequencyHz(frequencyMHz).value_or(0),
                 .reading = std::nullopt,
                 .skipped = allowed ? SkipReason::NotNeeded : SkipReason::OutsideBandPlan});
        }
    }
    m_began = true;
    begun.record = m_record;
    m_reports.sweepBegun(begun);
}

// The radio is asked for its socket only where station.ini ties sockets to antennas, so that
// a station without ties sends it nothing more.
std::string SweepEngine::antennaSwept() {
    if (!m_request.antennas) {
        return {};
    }
    const AntennaSettings& antennas = *m_request.antennas;
    return antennaInUse(antennas, antennas.sockets.empty() ? std::nullopt : TRX->antennaSocket());
}

// A point outside the band plan: neither tuned nor keyed, its row without values.
void SweepEngine::skipPoint(int point, double frequencyMHz) {
    recordPoint(point,
                {.frequencyHz = rigFrequencyHz(frequencyMHz).value_or(0),
                 .reading = std::nullopt,
                 .skipped = SkipReason::OutsideBandPlan},
                false);
}

void SweepEngine::takePoint(int point, double frequencyMHz, const PointTaking& taken) {
    recordPoint(point,
                {rigFrequencyHz(frequencyMHz).value_or(0),
                 pointReadingOf(m_reading, m_pollAccepted), taken},
                true);
}

void SweepEngine::recordPoint(int point, SweepPoint swept, bool keyed) {
    placePoint(m_record, point, swept);
    m_reports.pointDone({point, std::move(swept),
                         gridRowOf(point, m_request.plotMode, keyed ? &m_reading : nullptr)});
}

// After a refined sweep: how many points were keyed, on a line after what the band plan left
// out; a stop leaves the points it did not key unreached, so that the curve breaks there.
std::string SweepEngine::finishRefinedSweep(bool completed) {
    int keyed = 0;
    for (SweepPoint& point : m_record.points) {
        keyed += point.taken ? 1 : 0;
        if (!completed && point.skipped == SkipReason::NotNeeded) {
            point.skipped.reset();
        }
    }
    const std::string keyedPoints = "Keyed " + std::to_string(keyed) + " of " +
                                    std::to_string(m_request.plan.PointCount) + " points";
    return m_planNotice.empty() ? keyedPoints : m_planNotice + "\n" + keyedPoints;
}

}  // namespace zm
