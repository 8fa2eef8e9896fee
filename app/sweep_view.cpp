// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sweep_view.h"

#include <QWidget>

namespace zm {

SweepView::SweepView(QWidget& window, ChartControl& chart, PlanBoxes& planBoxes,
                     SweepResults& results, MeterReadout& readout, StationWatch& stationWatch,
                     std::function<void()> showGrid)
    : m_window(window),
      m_chart(chart),
      m_planBoxes(planBoxes),
      m_results(results),
      m_readout(readout),
      m_stationWatch(stationWatch),
      m_showGrid(std::move(showGrid)) {}

void SweepView::begin(SweepProgress& progress) {
    m_progress = &progress;
    m_notice = m_chart.shownNotice();
    progress.sweepBegun();
}

void SweepView::end() {
    m_progress = nullptr;
    m_window.setAccessibleDescription({});
}

// Said above the chart, without a box to click away.
void SweepView::bandPlanNotice(const std::string& notice) {
    m_notice = notice;
    m_chart.setNotice(notice);
}

void SweepView::sweepBegun(const SweepBegun& begun) {
    m_tunedMHz.reset();
    for (const GridRow& row : begun.rows) {
        m_planBoxes.applyGridRow(row);
    }
    m_results.setRecord(begun.record);
    m_progress->keysAtMost(begun.pointsToKey);
    m_sinceLastPoint.start();
    showProgress();
}

void SweepView::meterRead(const MeterRead& read) {
    m_tunedMHz = read.tunedMHz;
    m_readout.show(read.answer);
}

void SweepView::pointDone(const PointDone& done) {
    m_planBoxes.applyGridRow(done.row);
    m_results.recordPoint(done.point, done.swept);
    m_showGrid();
    const double pointSeconds = double(m_sinceLastPoint.restart()) / 1000.0;
    m_progress->pointDone(done.swept.taken.has_value(), pointSeconds);
    showProgress();
}

void SweepView::showProgress() {
    if (!m_progress->worthShowing()) {
        return;
    }
    const std::string text = m_progress->text();
    m_chart.setNotice(m_notice + (m_notice.empty() ? "" : "\n") + text);
    m_window.setAccessibleDescription(QString::fromStdString(text));
}

void SweepView::sweepEnded(const SweepOutcome& outcome) {
    m_chart.setNotice(m_notice);  // without the progress
    if (outcome.rigctldEnded) {
        m_stationWatch.stopWatching();  // the sweep's message said it
    }
    if (!outcome.record) {
        return;
    }
    m_tunedMHz = outcome.tunedMHz;
    if (!outcome.keyedNotice.empty()) {  // a refined sweep: "Keyed 14 of 101 points"
        m_results.setRecord(*outcome.record);
        m_chart.setNotice(outcome.keyedNotice);
    }
}

}  // namespace zm
