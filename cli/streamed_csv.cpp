// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/streamed_csv.h"

#include "feedline/reading_plane.h"
#include "results/sweep_csv.h"

namespace zm {

StreamedCsv::StreamedCsv(std::ostream& out, Plane plane, std::optional<Feedline> feedline)
    : m_out(out), m_plane(plane), m_feedline(std::move(feedline)) {}

void StreamedCsv::begin(const SweepRecord& begun, bool inOrder) {
    m_begun = true;
    m_inOrder = inOrder;
    SweepRecord head = atPlaneOf(begun);
    head.points.clear();
    write(sweepCsvHead(head));
}

void StreamedCsv::taken(const SweepPoint& point) {
    if (m_begun && m_inOrder) {
        write(sweepCsvRow(atPlaneOf({{}, {point}}).points.front()));
    }
}

void StreamedCsv::end(const SweepRecord& shown) {
    if (!m_begun || m_inOrder) {
        return;
    }
    std::string rows;
    for (const SweepPoint& point : shown.points) {
        rows += sweepCsvRow(point);
    }
    write(rows);
}

SweepRecord StreamedCsv::atPlaneOf(const SweepRecord& record) const {
    return recordAtPlane(record, m_plane, m_feedline ? &*m_feedline : nullptr);
}

void StreamedCsv::write(const std::string& text) {
    m_out << text << std::flush;
}

}  // namespace zm
