// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep plan, the plot grid and the plot modes.

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "app/frm_main.h"
#include "chart/plot_mode.h"
#include "chart/trace_points.h"
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
    m_results.setRecord({});
    m_filledColumns.clear();
    m_devices.chart->setNotice("");
    showGrid();
}

// A sweep's point in its row; row 1 begins a new sweep, whose rows fill afresh.
void frmMain::applyGridRow(const GridRow& row) {
    for (const auto& [column, cell] : row.cells) {
        m_grid.at(row.row, column) = cell;
    }
    if (row.row == 1) {
        m_filledColumns.clear();
    }
    m_filledColumns.resize(std::max<std::size_t>(m_filledColumns.size(), std::size_t(row.row)));
    m_filledColumns[std::size_t(row.row) - 1] |= row.columnBits();
}

// The grid keeps what the meter read; at the antenna each cell a sweep filled shows the
// same series of the point's reading there.
void frmMain::showGrid() {
    if (m_feedlinePlane.shownPlane() == Plane::Meter) {
        m_devices.chart->setChartData(m_grid);
        return;
    }
    PlotGrid shown = m_grid;
    const std::size_t rows = std::min({m_results.shown().points.size(), m_filledColumns.size(),
                                       std::size_t(std::max(0, m_grid.rows()))});
    for (std::size_t i = 0; i < rows; ++i) {
        const std::optional<PointReading>& reading = m_results.shown().points[i].reading;
        for (int column = 2; column <= PlotGrid::kColumns; ++column) {
            if ((m_filledColumns[i] & (1u << column)) != 0) {
                shown.at(int(i) + 1, column) =
                    reading ? Cell(seriesValue(*reading, column - 1, Plane::Antenna)) : Cell();
            }
        }
    }
    m_devices.chart->setChartData(shown);
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
    const PollingPause paused(*this);
    const double frequencyMHz = roundAsTwoDecimals(leadingTypedNumber(text.toStdString()));
    SweepPlan next = m_plan;
    next.*field = frequencyMHz;
    if (acceptsPlan(next.StartFreq, next.StopFreq, next.StepFreq)) {
        m_plan.*field = frequencyMHz;
        PlanSweep();
        ClearPlot();
    }
}

void frmMain::Combo1_Click() {
    applyStep(m_form.Combo1->currentText().toStdString());
}

// Enter in the step field, or the field losing focus: a typed step ("3 kHz", "3") takes
// effect as a chosen entry does. The step in force, typed or passed through again, changes
// nothing, so tabbing through the field keeps the sweep.
void frmMain::Combo1_Validate() {
    const std::string typed = m_form.Combo1->currentText().toStdString();
    if (stepFromListText(typed) == m_plan.StepFreq) {
        showStepInForce();
    } else {
        applyStep(typed);
    }
}

// The field shows the step in force again before any message: the message box takes the
// focus, and the field's text then reads as the step it shows.
void frmMain::applyStep(const std::string& text) {
    const double stepMHz = stepFromListText(text);
    const std::string refusal = planRefusal(m_plan.StartFreq, m_plan.StopFreq, stepMHz, text);
    if (refusal.empty()) {
        m_plan.StepFreq = stepMHz;
        PlanSweep();
        ClearPlot();
    }
    showStepInForce();
    if (!refusal.empty()) {
        m_devices.messages->show(refusal);
    }
}

// Its entry when the list has one; else no entry chosen and the step as text: "3 kHz".
void frmMain::showStepInForce() {
    QComboBox* list = m_form.Combo1;
    if (const int entry = stepListIndex(*list, m_plan.StepFreq); entry >= 0) {
        list->setCurrentIndex(entry);
        list->setEditText(list->itemText(entry));
    } else {
        list->setCurrentIndex(-1);
        list->setEditText(QString::fromStdString(stepListText(m_plan.StepFreq)));
    }
}

bool frmMain::acceptsPlan(double startMHz, double stopMHz, double stepMHz) {
    const std::string refusal = planRefusal(startMHz, stopMHz, stepMHz, {});
    if (!refusal.empty()) {
        m_devices.messages->show(refusal);
    }
    return refusal.empty();
}

std::string frmMain::planRefusal(double startMHz, double stopMHz, double stepMHz,
                                 std::string_view typedStep) const {
    if (!(stepMHz > 0.0 && std::isfinite(stepMHz))) {
        return "\"" + std::string(typedStep) +
               "\" is no step a sweep can take: type a step in kHz above 0, e.g. \"3 kHz\" or "
               "\"3\". The sweep keeps its " +
               stepListText(m_plan.StepFreq) + " steps.";
    }
    if (pointCountFor(startMHz, stopMHz, stepMHz)) {
        return {};
    }
    return "A sweep from " + generalNumber(startMHz) + " to " + generalNumber(stopMHz) +
           " MHz in " + generalNumber(stepMHz * 1000.0) +
           " kHz steps is too large: a sweep has at most " + std::to_string(kMaxPointCount) +
           " points. Narrow the span or take a larger step; the current sweep is kept.";
}

void frmMain::Combo2_Click() {
    applyPlotMode(*m_devices.chart, m_form.Combo2->currentIndex());
}

void frmMain::Combo4_Click() {
    m_plan.CarrierMode = carrierModeFor(m_form.Combo4->currentIndex(), m_plan.CarrierMode);
    m_bandPlans.show(m_plan.CarrierMode);
}

void frmMain::cmdClear_Click() {
    ClearPlot();
}

}  // namespace zm
