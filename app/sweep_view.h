// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <functional>
#include <optional>
#include <string>

#include "app/meter_readout.h"
#include "app/plan_boxes.h"
#include "app/station_watch.h"
#include "app/sweep_results.h"
#include "chart/chart_control.h"
#include "engine/sweep_history.h"
#include "engine/sweep_reports.h"
#include "sweep/sweep_progress.h"

class QWidget;

namespace zm {

// What the engine reports during a sweep, shown as it comes: the grid's rows and the record,
// the readout, the band plan's notice above the chart with the progress line under it (and
// the progress as the window's description, for screen readers), and what the sweep ended
// with; then what the history made of it.
class SweepView : public SweepReports {
public:
    // `showGrid` draws the grid on the chart at the plane shown.
    SweepView(QWidget& window, ChartControl& chart, PlanBoxes& planBoxes, SweepResults& results,
              MeterReadout& readout, StationWatch& stationWatch, std::function<void()> showGrid);

    // From the start of one sweep of the run that `progress` follows to its end.
    void begin(SweepProgress& progress);
    void end();
    void kept(KeptSweep kept) { m_kept = std::move(kept); }
    const KeptSweep& kept() const { return m_kept; }
    // Where the last sweep tuned the radio, for the readout at the antenna.
    std::optional<double> tunedMHz() const { return m_tunedMHz; }

    void bandPlanNotice(const std::string& notice) override;
    void sweepBegun(const SweepBegun& begun) override;
    void meterRead(const MeterRead& read) override;
    void pointDone(const PointDone& done) override;
    void sweepEnded(const SweepOutcome& outcome) override;

private:
    // "40m, band 2 of 4 · point 12 of 20 · about 1 min 10 s left" on a line of its own under
    // what the band plan leaves out.
    void showProgress();

    QWidget& m_window;
    ChartControl& m_chart;
    PlanBoxes& m_planBoxes;
    SweepResults& m_results;
    MeterReadout& m_readout;
    StationWatch& m_stationWatch;
    std::function<void()> m_showGrid;
    SweepProgress* m_progress = nullptr;  // of the run, while a sweep is on
    QElapsedTimer m_sinceLastPoint;
    std::string m_notice;  // the sweep's own, under which its progress shows
    KeptSweep m_kept;      // what the history made of the last sweep
    std::optional<double> m_tunedMHz;
};

}  // namespace zm
