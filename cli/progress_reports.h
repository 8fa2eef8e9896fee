// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/command_voice.h"
#include "cli/output_watch.h"
#include "cli/progress_line.h"
#include "cli/sweep_delivery.h"
#include "engine/sweep_reports.h"

namespace zm {

// What zm480-sweep makes of a sweep's reports: each point as it is taken or skipped on the
// progress line, and into standard output's CSV as it comes; the band plan's notice in the
// command's words. A progress line that cannot be written is standard error gone.
class ProgressReports : public SweepReports {
public:
    // `inOrder`: every point in turn, so that each CSV row can go out as it is taken.
    ProgressReports(ProgressWriter& progress, SweepProgress sweep, const CommandVoice& voice,
                    SweepDelivery& delivery, OutputWatch& watch, bool inOrder)
        : m_progress(progress),
          m_sweep(std::move(sweep)),
          m_voice(voice),
          m_delivery(delivery),
          m_watch(watch),
          m_inOrder(inOrder) {}

    void bandPlanNotice(const std::string& notice) override;
    void sweepBegun(const SweepBegun& begun) override;
    void meterRead(const MeterRead&) override {}
    void pointDone(const PointDone& done) override;
    void sweepEnded(const SweepOutcome&) override { m_progress.finish(); }

private:
    void noticeFailedProgress();

    ProgressWriter& m_progress;
    SweepProgress m_sweep;
    const CommandVoice& m_voice;
    SweepDelivery& m_delivery;
    OutputWatch& m_watch;
    bool m_inOrder;
};

}  // namespace zm
