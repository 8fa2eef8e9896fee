// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep plan, the plot grid and the plot modes.

#include <QComboBox>
#include <QLineEdit>

#include "app/frm_main.h"
#include "chart/plot_mode.h"
#include "sweep/carrier_mode.h"

namespace zm {

void frmMain::PlanSweep() {
    if (m_planBoxes.resizeGrid()) {  // the handlers refuse other plans before they get here
        ClearPlot();
        m_planBoxes.labelRows();
    }
}

void frmMain::ClearPlot() {
    m_planBoxes.clearValues();
    m_results.setRecord({});
    m_devices.chart->setNotice("");
    showGrid();
}

void frmMain::showGrid() {
    m_devices.chart->setChartData(
        m_planBoxes.gridAt(m_feedlinePlane.shownPlane(), m_results.shown()));
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
    const PollingPause paused(*this);
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
        carrierModeFor(m_form.Combo4->currentIndex(), m_planBoxes.plan().CarrierMode));
    m_bandPlans.show(m_planBoxes.plan().CarrierMode);
}

void frmMain::cmdClear_Click() {
    ClearPlot();
}

}  // namespace zm
