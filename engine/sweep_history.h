// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "engine/sweep_reports.h"
#include "engine/sweep_request.h"
#include "history/history_store.h"

namespace zm {

// What the history made of one sweep: its number, and how it stands against the reference
// of its antenna and band and the sweep before it.
struct KeptSweep {
    std::optional<SweepId> id;
    std::optional<SweepDrift> drift;
    // The reference as its markers read it, for a summary; the sweep itself when it is one.
    std::optional<StoredSweep> reference;
    std::string said;  // a line for the user: the first failure of a run, a file set aside
};

// Every front end's way into the history: each sweep that keyed a point kept once it has
// ended and the radio is unkeyed. Whatever goes wrong with the file never stops a sweep nor
// changes how it ended; the first failure of a run is said, and the next ones are not, so
// that a run of ten bands on a full disk says it once.
//
// One object a run (a Run, a Sweep my bands, a zm480-sweep), on the thread it ends on.
class SweepHistory {
public:
    // What stands around every sweep of the run that the engine is not asked; each sweep is
    // kept under the antenna its record names.
    struct Run {
        bool bandPoints = false;  // planned as a band's points, not a step
        HistorySettings limits;   // how far a sweep may drift before it is said
    };
    SweepHistory(std::filesystem::path folder, Run run);

    // `keyedSeconds`: how long the transmitter was keyed where the front end timed it;
    // none: as the points were taken.
    KeptSweep keep(const SweepRequest& request, const SweepOutcome& outcome,
                   std::optional<double> keyedSeconds = std::nullopt) noexcept;

private:
    HistoryStore m_store;
    Run m_run;
    bool m_failureSaid = false;
};

}  // namespace zm
