// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <chrono>
#include <optional>
#include <ostream>
#include <string>

#include "cli/output_name.h"
#include "cli/sweep_command_line.h"
#include "feedline/transmission_line.h"
#include "results/sweep_record.h"
#include "settings/memory_shelf.h"

namespace zm {

// Where each sweep of a run goes once it has ended, however it ended: its file (or standard
// output), its memory with --keep, and its summary, all at the plane asked for.
class SweepDelivery {
public:
    SweepDelivery(const SweepCommandLine& line, const QString& settingsFolder,
                  std::optional<Feedline> feedline, Plane plane, std::size_t sweeps);

    // Before anything is opened: why a file could not be written where -o names it; empty
    // when its folder is there to write in.
    std::string outputProblem(const std::string& bandName) const;

    // The sweep as far as it went. False, with why for the user, when its file or its memory
    // could not be written; the others are written all the same.
    bool deliver(const std::string& bandName, const SweepRecord& record, int plannedPoints,
                 std::chrono::duration<double> keyed, std::string& whyNot);

private:
    SweepOutput outputOf(const std::string& bandName) const;
    bool writeFile(const SweepOutput& output, const SweepRecord& shown, std::string& whyNot);
    bool keep(const std::string& bandName, const SweepRecord& shown, std::string& whyNot);
    std::ostream& summaryStream() const;

    const SweepCommandLine& m_line;
    SweepOutput m_output;
    std::optional<Feedline> m_feedline;
    Plane m_plane;
    std::size_t m_sweeps;
    std::optional<MemoryShelf> m_shelf;  // with --keep
};

}  // namespace zm
