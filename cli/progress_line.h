// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "results/point_taking.h"

namespace zm {

// How far a sweep is, after each point.
struct SweepProgress {
    std::string bandName;  // empty for a sweep of --start, --stop and --step
    int band = 1;          // which of `bands` bands, from 1
    int bands = 1;
    int point = 1;  // which point of the plan, from 1
    int points = 1;
    std::int64_t frequencyHz = 0;
    std::optional<double> swr;            // none: the point has no reading
    std::optional<SkipReason> skipped{};  // the point was not keyed
};

// One line, short enough for a terminal's width, without a line end:
//   "40m (band 2 of 3)  point 7 of 20  7.063158 MHz  SWR 1.42"
//   "point 21 of 21  14.35 MHz  not keyed: outside band plan"
// The band's name alone for a single band; nothing of bands for a sweep of frequencies.
std::string progressText(const SweepProgress& progress);

// Writes the progress to standard error, or any stream: on a terminal one line that each
// point writes over, else one line a point, for a log or a pipe.
class ProgressWriter {
public:
    ProgressWriter(std::ostream& out, bool terminal) : m_out(out), m_terminal(terminal) {}
    // On standard error, a terminal when stderr is one.
    static ProgressWriter onStandardError();

    void show(const SweepProgress& progress);
    // A line of its own (a notice, a warning), below the progress line it ends.
    void say(std::string_view line);
    // The progress line is done with: on a terminal it stays and the cursor goes below it.
    void finish();

private:
    std::ostream& m_out;
    bool m_terminal;
    bool m_lineOpen = false;  // a terminal's progress line waits to be written over
};

}  // namespace zm
