// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <ostream>

#include "feedline/transmission_line.h"
#include "results/sweep_record.h"

namespace zm {

// A sweep's CSV on standard output as its points come, so that a reader cut off mid-sweep
// (a dropped SSH link, `| head`) holds whole rows up to the last point taken: the comment
// lines and the header as the record begins, then each row as its point is taken, at the
// plane asked for. A refined sweep keys its points out of frequency order, while a CSV's
// rows rise: its rows come in order once it ends (what a reader lost meanwhile is kept as a
// memory then). Nothing is written for a sweep that never began.
class StreamedCsv {
public:
    StreamedCsv(std::ostream& out, Plane plane, std::optional<Feedline> feedline);

    // `inOrder`: every point in turn, each row written as it is taken.
    void begin(const SweepRecord& begun, bool inOrder);
    void taken(const SweepPoint& point);
    // The sweep as it ended, at the plane asked for: the rows not written yet.
    void end(const SweepRecord& shown);

    // False once a write failed.
    bool good() const { return static_cast<bool>(m_out); }

private:
    SweepRecord atPlaneOf(const SweepRecord& record) const;
    void write(const std::string& text);

    std::ostream& m_out;
    Plane m_plane;
    std::optional<Feedline> m_feedline;
    bool m_begun = false;
    bool m_inOrder = true;
};

}  // namespace zm
