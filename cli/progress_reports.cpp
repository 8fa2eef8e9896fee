// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/progress_reports.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace zm {

void ProgressReports::bandPlanNotice(const std::string& notice) {
    if (!notice.empty()) {
        m_progress.say(
            m_voice.words(m_sweep.bandName.empty() ? notice : m_sweep.bandName + ": " + notice));
        noticeFailedProgress();
    }
}

void ProgressReports::sweepBegun(const SweepBegun& begun) {
    m_delivery.begun(begun.record, m_inOrder);
}

void ProgressReports::pointDone(const PointDone& done) {
    m_delivery.taken(done.swept);
    SweepProgress point = m_sweep;
    point.point = done.point;
    point.frequencyHz = done.swept.frequencyHz;
    point.swr = done.swept.reading ? std::optional(done.swept.reading->swr) : std::nullopt;
    point.skipped = done.swept.skipped;
    m_progress.show(point);
    noticeFailedProgress();
}

void ProgressReports::noticeFailedProgress() {
    if (!std::cerr) {
        m_watch.writeFailed(STDERR_FILENO, std::strerror(errno));
    }
}

}  // namespace zm
