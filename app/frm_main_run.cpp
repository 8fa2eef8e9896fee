// SPDX-License-Identifier: GPL-3.0-or-later
// The meter poll, the sweep plan and its grid, the plot modes, a band of the Band menu in
// the boxes, and Run.

#include <QComboBox>
#include <QLineEdit>
#include <cmath>

#include "app/frm_main.h"
#include "chart/plot_mode.h"
#include "sweep/band_boxes.h"
#include "sweep/carrier_mode.h"

namespace zm {

// The idle poll, in two halves so that the window answers while the meter talks.
void frmMain::Timer1_Timer() {
    m_readout.pollIdle();
}

// The design's poll: the whole exchange in one call, the thread held meanwhile. A sweep's
// polls are the engine's, which the readout hears of as meterRead.
void frmMain::ReadMeter() {
    const PollingPause paused(m_readout);
    const MeterQuery query = m_readout.beginPoll();
    if (query == MeterQuery::Sent) {
        Pause(0.2f);
    }
    m_readout.finishPoll(query);
}

void frmMain::Pause(float seconds) {
    m_devices.sleeper->sleep(pauseDuration(seconds));
}

void frmMain::PlanSweep() {
    if (m_planBoxes.resizeGrid()) {  // the handlers refuse other plans before they get here
        ClearPlot();
        m_planBoxes.labelRows();
    }
}

void frmMain::ClearPlot() {
    m_planBoxes.clearValues();
    m_results.sweep.setRecord({});
    m_devices.chart->setNotice("");
    showGrid();
}

void frmMain::showGrid() {
    m_devices.chart->setChartData(m_planBoxes.gridAt(m_sweep.plane(), m_sweep.shown()));
}

void frmMain::Text2_Change() {
    applyStartOrStop(m_form.Text2->text(), &SweepPlan::StartFreq);
}

void frmMain::Text3_Change() {
    applyStartOrStop(m_form.Text3->text(), &SweepPlan::StopFreq);
}

// Keystroke by keystroke: the box's number, to two decimals, re-plans the sweep. The
// box keeps its text as typed.
void frmMain::applyStartOrStop(const QString& text, double SweepPlan::*field) {
    const PollingPause paused(m_readout);
    if (m_planBoxes.startOrStopTyped(text, field)) {
        PlanSweep();
        ClearPlot();
    }
}

void frmMain::Combo1_Click() {
    if (m_planBoxes.stepChosen(m_form.Combo1->currentText().toStdString())) {
        PlanSweep();
        ClearPlot();
    }
}

// Enter in the step field, or the field losing focus: a typed step ("3 kHz", "3") takes
// effect as a chosen entry does.
void frmMain::Combo1_Validate() {
    if (m_planBoxes.stepConfirmed(m_form.Combo1->currentText().toStdString())) {
        PlanSweep();
        ClearPlot();
    }
}

void frmMain::Combo2_Click() {
    applyPlotMode(*m_devices.chart, m_form.Combo2->currentIndex());
}

void frmMain::Combo4_Click() {
    m_planBoxes.setCarrierMode(
        carrierModeFor(m_form.Combo4->currentIndex(), m_sweep.plan().CarrierMode));
    m_bandPlans.show(m_sweep.plan().CarrierMode);
}

void frmMain::cmdClear_Click() {
    ClearPlot();
}

// As typing the plan's values into the boxes would; the step stays. The box whose new
// value lies nearer to the other box's old one goes first, so that the plan between the
// two changes is never wider than either. A band that the boxes cannot plan is offered to
// Sweep my bands alone.
void frmMain::mnuBand_Click(const Band& band) {
    const SweepPlan& plan = m_sweep.plan();
    const BandBoxes boxes = bandBoxes(band, plan.StepFreq, sidebandHzOf(plan.CarrierMode));
    if (boxes.kind == BandBoxes::Kind::SweepMyBands) {
        m_run.bands.sweepBandAlone(band.name);
        return;
    }
    const auto megahertz = [](std::int64_t hz) { return static_cast<double>(hz) / 1e6; };
    const QString start = QString::fromStdString(boxText(boxes.startHz));
    const QString stop = QString::fromStdString(boxText(boxes.stopHz));
    if (std::fabs(megahertz(boxes.startHz) - plan.StopFreq) <=
        std::fabs(plan.StartFreq - megahertz(boxes.stopHz))) {
        m_form.Text2->setText(start);
        m_form.Text3->setText(stop);
    } else {
        m_form.Text3->setText(stop);
        m_form.Text2->setText(start);
    }
}

// Run hands the plan in force to the sweep engine, which keys the radio point by point and
// reports back; the run shows each report as it comes.
void frmMain::cmdRun_Click() {
    m_run.sweep.runPlan();
}

void frmMain::mnuSweepMyBands_Click() {
    m_run.bands.sweepMyBands();
}

}  // namespace zm
