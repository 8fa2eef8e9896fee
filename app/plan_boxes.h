// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/form_layout.h"
#include "app/sweep_model.h"
#include "dialogs/message_box.h"
#include "engine/grid_row.h"
#include "results/sweep_record.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"

namespace zm {

// The sweep plan as the boxes set it: start and stop read keystroke by keystroke to two
// decimals, the step chosen from its list or typed, each refused with a message when it
// would make a plan beyond the point counter; the plan in force, which they set in the
// model; the plot grid with its frequency column, and the cells each sweep filled, which the
// grid at the antenna shows again. The form's handlers plan and clear after a change.
class PlanBoxes {
public:
    PlanBoxes(FormControls& form, MessageBoxes& messages, SweepModel& model)
        : m_form(form), m_messages(messages), m_model(model) {}

    const PlotGrid& grid() const { return m_grid; }

    // Start or stop as typed into its box: true when the plan took it.
    bool startOrStopTyped(const QString& text, double SweepPlan::*field);
    // A step chosen from the list, or typed and confirmed: true when the plan took it. The
    // field shows the step in force again either way, before any message (the message box
    // takes the focus, and the field's text then reads as the step it shows).
    bool stepChosen(const std::string& text);
    // Enter in the step field, or the field losing focus: the step in force, typed or passed
    // through again, changes nothing, so tabbing through the field keeps the sweep.
    bool stepConfirmed(const std::string& typed);
    void setCarrierMode(std::int16_t carrierMode);
    // A span set by the program, not typed: start-up's, and each band of Sweep my bands.
    void setSpan(double startMHz, double stopMHz, double stepMHz);

    // The point count and the grid's rows for the plan in force; false for a plan the boxes
    // refuse, which changes nothing.
    bool resizeGrid();
    // Each row's frequency in the first column.
    void labelRows();
    // No values, and no cells filled: nothing is drawn until a sweep measures the rows,
    // rather than a line along 0 that a sweep which stops part way would join.
    void clearValues();
    // A sweep's point in its row; row 1 begins a new sweep, whose rows fill afresh.
    void applyGridRow(const GridRow& row);
    // The grid keeps what the meter read; at the antenna each cell a sweep filled shows the
    // same series of the point's reading in `shown`.
    PlotGrid gridAt(Plane plane, const SweepRecord& shown) const;

    // What Sweep my bands puts back once its bands are swept.
    struct Kept {
        SweepPlan plan;
        PlotGrid grid;
        std::vector<std::uint8_t> filledColumns;
    };
    Kept keep() const { return {m_model.plan(), m_grid, m_filledColumns}; }
    void putBack(Kept kept);

private:
    // Why a plan is refused, for the user; empty when it is not. `typedStep` is the step's
    // text as the user gave it.
    std::string planRefusal(double startMHz, double stopMHz, double stepMHz,
                            std::string_view typedStep) const;
    void showStepInForce();  // in the step field: no other step than the plan's
    const SweepPlan& plan() const { return m_model.plan(); }
    void changePlan(const std::function<void(SweepPlan&)>& change);

    FormControls& m_form;
    MessageBoxes& m_messages;
    SweepModel& m_model;
    PlotGrid m_grid;
    std::vector<std::uint8_t> m_filledColumns;  // of each grid row, by the sweep: bit = column
};

}  // namespace zm
