// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/plan_boxes.h"

#include <QComboBox>
#include <algorithm>
#include <cmath>

#include "chart/trace_points.h"
#include "meter/display_pattern.h"
#include "meter/number_reading.h"
#include "numbers/number_text.h"

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

bool PlanBoxes::startOrStopTyped(const QString& text, double SweepPlan::*field) {
    const double frequencyMHz = roundAsTwoDecimals(leadingTypedNumber(text.toStdString()));
    SweepPlan next = plan();
    next.*field = frequencyMHz;
    if (const std::string refusal = planRefusal(next.StartFreq, next.StopFreq, next.StepFreq, {});
        !refusal.empty()) {
        m_messages.show(refusal);
        return false;
    }
    changePlan([&](SweepPlan& changed) { changed.*field = frequencyMHz; });
    return true;
}

bool PlanBoxes::stepChosen(const std::string& text) {
    const double stepMHz = stepFromListText(text);
    const std::string refusal = planRefusal(plan().StartFreq, plan().StopFreq, stepMHz, text);
    if (refusal.empty()) {
        changePlan([&](SweepPlan& changed) { changed.StepFreq = stepMHz; });
    }
    showStepInForce();
    if (!refusal.empty()) {
        m_messages.show(refusal);
    }
    return refusal.empty();
}

bool PlanBoxes::stepConfirmed(const std::string& typed) {
    if (stepFromListText(typed) == plan().StepFreq) {
        showStepInForce();
        return false;
    }
    return stepChosen(typed);
}

void PlanBoxes::setSpan(double startMHz, double stopMHz, double stepMHz) {
    changePlan([&](SweepPlan& changed) {
        changed.StartFreq = startMHz;
        changed.StopFreq = stopMHz;
        changed.StepFreq = stepMHz;
    });
}

void PlanBoxes::setCarrierMode(std::int16_t carrierMode) {
    changePlan([&](SweepPlan& changed) { changed.CarrierMode = carrierMode; });
}

void PlanBoxes::changePlan(const std::function<void(SweepPlan&)>& change) {
    SweepPlan changed = plan();
    change(changed);
    m_model.setPlan(changed);
}

// Its entry when the list has one; else no entry chosen and the step as text: "3 kHz".
void PlanBoxes::showStepInForce() {
    QComboBox* list = m_form.Combo1;
    if (const int entry = stepListIndex(*list, plan().StepFreq); entry >= 0) {
        list->setCurrentIndex(entry);
        list->setEditText(list->itemText(entry));
    } else {
        list->setCurrentIndex(-1);
        list->setEditText(QString::fromStdString(stepListText(plan().StepFreq)));
    }
}

std::string PlanBoxes::planRefusal(double startMHz, double stopMHz, double stepMHz,
                                   std::string_view typedStep) const {
    if (!(stepMHz > 0.0 && std::isfinite(stepMHz))) {
        return "\"" + std::string(typedStep) +
               "\" is no step a sweep can take: type a step in kHz above 0, e.g. \"3 kHz\" or "
               "\"3\". The sweep keeps its " +
               stepListText(plan().StepFreq) + " steps.";
    }
    if (pointCountFor(startMHz, stopMHz, stepMHz)) {
        return {};
    }
    return "A sweep from " + generalNumber(startMHz) + " to " + generalNumber(stopMHz) +
           " MHz in " + generalNumber(stepMHz * 1000.0) +
           " kHz steps is too large: a sweep has at most " + std::to_string(kMaxPointCount) +
           " points. Narrow the span or take a larger step; the current sweep is kept.";
}

bool PlanBoxes::resizeGrid() {
    const auto count = pointCountFor(plan().StartFreq, plan().StopFreq, plan().StepFreq);
    if (!count) {
        return false;
    }
    changePlan([&](SweepPlan& changed) { changed.PointCount = std::int16_t(*count); });
    m_grid.reallocate(*count);
    return true;
}

void PlanBoxes::labelRows() {
    for (int row = 1; row <= plan().PointCount; ++row) {
        m_grid.at(row, 1) = frequencyLabel(row, plan().StartFreq, plan().StepFreq);
    }
}

void PlanBoxes::clearValues() {
    for (int column = 2; column <= PlotGrid::kColumns; ++column) {
        for (int row = 1; row <= m_grid.rows(); ++row) {
            m_grid.at(row, column) = Cell();
        }
    }
    m_filledColumns.clear();
}

void PlanBoxes::applyGridRow(const GridRow& row) {
    for (const auto& [column, cell] : row.cells) {
        m_grid.at(row.row, column) = cell;
    }
    if (row.row == 1) {
        m_filledColumns.clear();
    }
    m_filledColumns.resize(std::max<std::size_t>(m_filledColumns.size(), std::size_t(row.row)));
    m_filledColumns[std::size_t(row.row) - 1] |= row.columnBits();
}

PlotGrid PlanBoxes::gridAt(Plane plane, const SweepRecord& shown) const {
    PlotGrid grid = m_grid;
    if (plane == Plane::Meter) {
        return grid;
    }
    const std::size_t rows = std::min(
        {shown.points.size(), m_filledColumns.size(), std::size_t(std::max(0, m_grid.rows()))});
    for (std::size_t i = 0; i < rows; ++i) {
        const std::optional<PointReading>& reading = shown.points[i].reading;
        for (int column = 2; column <= PlotGrid::kColumns; ++column) {
            if ((m_filledColumns[i] & (1u << column)) != 0) {
                grid.at(int(i) + 1, column) =
                    reading ? Cell(seriesValue(*reading, column - 1, Plane::Antenna)) : Cell();
            }
        }
    }
    return grid;
}

void PlanBoxes::putBack(Kept kept) {
    m_model.setPlan(kept.plan);
    m_grid = std::move(kept.grid);
    m_filledColumns = std::move(kept.filledColumns);
}

}  // namespace zm
