// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/sweep_history.h"

namespace zm {

namespace {

SweepEnding endingOf(const SweepOutcome& outcome) {
    switch (outcome.end) {
        case SweepEnd::Completed:
        case SweepEnd::NothingToSweep:
            return {SweepEnding::How::Completed};
        case SweepEnd::Asked:
            return {SweepEnding::How::Asked, outcome.message};
        case SweepEnd::NotReady:
        case SweepEnd::Stopped:
            return {SweepEnding::How::Stopped, outcome.message};
        case SweepEnd::Failed:
            break;
    }
    return {SweepEnding::How::Failed, outcome.message};
}

// The sweep as the history keeps it; none when it keyed no point.
std::optional<SweepEntry> historyEntry(const SweepRequest& request, const SweepOutcome& outcome,
                                       const SweepHistory::Run& run,
                                       std::optional<double> keyedSeconds) {
    if (!outcome.record || outcome.keyDowns == 0) {
        return std::nullopt;
    }
    return SweepEntry{.antenna = outcome.record->notes.antenna,
                      .band = bandHolding(request.bandPlan, *outcome.record),
                      .bandPlan = request.bandPlan.key,
                      .plan = request.plan,
                      .bandPoints = run.bandPoints,
                      .feedline = request.feedline,
                      .shownPlane = request.shownPlane,
                      .ending = endingOf(outcome),
                      .keyedPoints = outcome.keyDowns,
                      .keyedSeconds = keyedSeconds,
                      .record = *outcome.record};
}

}  // namespace

SweepHistory::SweepHistory(std::filesystem::path folder, Run run)
    : m_store(std::move(folder)), m_run(std::move(run)) {}

KeptSweep SweepHistory::keep(const SweepRequest& request, const SweepOutcome& outcome,
                             std::optional<double> keyedSeconds) noexcept {
    KeptSweep kept;
    const std::optional<SweepEntry> entry = historyEntry(request, outcome, m_run, keyedSeconds);
    if (!entry) {
        return kept;
    }
    const HistoryStore::Recorded recorded = m_store.record(*entry);
    kept.id = recorded.id;
    std::string problem;
    if (kept.id) {
        kept.drift = m_store.drift(*kept.id, m_run.limits, problem);
        if (const auto referenceId = m_store.reference(entry->antenna, entry->band, problem)) {
            kept.reference = m_store.sweep(*referenceId, problem);
        }
    }
    // A file set aside is news each time; a failure to write is said once a run.
    const bool failed = !kept.id || !problem.empty();
    std::string said = recorded.said.empty() ? problem : recorded.said;
    if (!said.empty() && (!failed || !m_failureSaid)) {
        kept.said = std::move(said);
    }
    m_failureSaid = m_failureSaid || failed;
    return kept;
}

}  // namespace zm
