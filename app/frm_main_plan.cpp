// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep plan, the plot grid and the plot modes.

#include <QComboBox>
#include <QLineEdit>

#include "app/frm_main.h"
#include "chart/plot_mode.h"
#include "meter/display_pattern.h"
#include "meter/number_reading.h"
#include "numbers/number_text.h"
#include "sweep/carrier_mode.h"

namespace zm {

namespace {

// The step list's entry for a step, or -1: "50 kHz" is 0.05 MHz.
int stepListIndex(const QComboBox& list, double stepMHz) {
    for (int i = 0; i < list.count(); ++i) {
        if (stepFromListText(list.itemText(i).toStdString()) == stepMHz) {
            return i;
        }
    }
    return -1;
}

}  // namespace

void frmMain::PlanSweep() {
    const auto count = pointCountFor(m_plan.StartFreq, m_plan.StopFreq, m_plan.StepFreq);
    if (!count) {
        return;  // the handlers refuse such plans before they get here
    }
    m_plan.PointCount = std::int16_t(*count);
    m_grid.reallocate(*count);
    ClearPlot();
    for (int row = 1; row <= m_plan.PointCount; ++row) {
        m_grid.at(row, 1) = frequencyLabel(row, m_plan.StartFreq, m_plan.StepFreq);
    }
}

// The rows keep no values: nothing is drawn until a sweep measures them, rather than a
// line along 0 that a sweep which stops part way would join.
void frmMain::ClearPlot() {
    for (int column = 2; column <= PlotGrid::kColumns; ++column) {
        for (int row = 1; row <= m_grid.rows(); ++row) {
            m_grid.at(row, column) = Cell();
        }
    }
    clearSweepRecord();
    m_devices.chart->setNotice("");
    showGrid();
}

void frmMain::Text2_Change() {
    applyStartOrStop(m_form.Text2->text(), &SweepPlan::StartFreq);
}

void frmMain::Text3_Change() {
    applyStartOrStop(m_form.Text3->text(), &SweepPlan::StopFreq);
}

// Keystroke by keystroke: the box's number, to two decimals, re-plans the sweep. The
// box keeps its text as typed.
void frmMain::applyStartOrStop(QString text, double SweepPlan::*field) {
    setTimer1Enabled(false);
    const double frequencyMHz = roundAsTwoDecimals(leadingNumber(text.toStdString()));
    SweepPlan next = m_plan;
    next.*field = frequencyMHz;
    if (acceptsPlan(next.StartFreq, next.StopFreq, next.StepFreq)) {
        m_plan.*field = frequencyMHz;
        PlanSweep();
        ClearPlot();
    }
    setTimer1Enabled(true);
}

void frmMain::Combo1_Click() {
    const double stepMHz = stepFromListText(m_form.Combo1->currentText().toStdString());
    if (acceptsPlan(m_plan.StartFreq, m_plan.StopFreq, stepMHz)) {
        m_plan.StepFreq = stepMHz;
        PlanSweep();
        ClearPlot();
    } else if (const int inForce = stepListIndex(*m_form.Combo1, m_plan.StepFreq); inForce >= 0) {
        // The sweep keeps its step, and the list says so again.
        m_form.Combo1->setCurrentIndex(inForce);
    }
}

bool frmMain::acceptsPlan(double startMHz, double stopMHz, double stepMHz) {
    if (pointCountFor(startMHz, stopMHz, stepMHz)) {
        return true;
    }
    m_devices.messages->show(
        "A sweep from " + generalNumber(startMHz) + " to " + generalNumber(stopMHz) + " MHz in " +
        generalNumber(stepMHz * 1000.0) + " kHz steps is too large: a sweep has at most " +
        std::to_string(kMaxPointCount) +
        " points. Narrow the span or take a larger step; the current sweep is kept.");
    return false;
}

void frmMain::Combo2_Click() {
    applyPlotMode(*m_devices.chart, m_form.Combo2->currentIndex());
}

void frmMain::Combo4_Click() {
    m_plan.CarrierMode = carrierModeFor(m_form.Combo4->currentIndex(), m_plan.CarrierMode);
    showBandPlanShading();
}

void frmMain::cmdClear_Click() {
    ClearPlot();
}

}  // namespace zm
