// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/antenna_menu.h"
#include "app/band_plan_menu.h"
#include "app/devices.h"
#include "app/feedline_plane.h"
#include "app/form_layout.h"
#include "app/memories_part.h"
#include "app/meter_readout.h"
#include "app/plan_boxes.h"
#include "app/result_pictures.h"
#include "app/station_ini.h"
#include "app/station_watch.h"
#include "app/sweep_model.h"
#include "app/sweep_results.h"
#include "app/sweep_view.h"
#include "engine/sweep_history.h"
#include "engine/sweep_request.h"
#include "engine/sweep_stop.h"
#include "sweep/sweep_progress.h"

class QWidget;

namespace zm {

// The window's parts that a run reads its request from and shows its sweeps on.
struct WindowParts {
    const SweepModel& model;
    PlanBoxes& planBoxes;
    const BandPlanMenu& bandPlans;
    const FeedlinePlane& plane;
    AntennaMenu& antennas;
    StationIni& station;
    StationWatch& stationWatch;
    MeterReadout& readout;
    SweepResults& results;
    MemoriesPart& memories;
    ResultPictures& pictures;
};

// Run and Sweep my bands as the window runs them: one at a time, refused without a plot or a
// carrier mode, with polling at rest and the user's input dropped but for Escape; each sweep
// of the plan in force handed to the engine with what the window holds at Run, shown as it
// reports and kept in the history under the antenna in use. The close button, Escape or a
// stop signal meanwhile stop it, and a close asked for then happens once it has unkeyed.
class SweepRun {
public:
    // `showGrid` draws the grid on the chart at the plane shown.
    SweepRun(QWidget& window, Devices& devices, const FormControls& form, WindowParts parts,
             SweepResults::AtRest atRest, std::function<void()> showGrid);

    bool running() const { return m_running; }
    // Run: the plan in the boxes swept once, and how it stands against the antenna's earlier
    // sweeps said above the chart.
    void runPlan();
    // `run` sweeps and gives what the user is told at its end.
    void run(const std::function<std::string()>& run);
    // One sweep of the plan in force; the run's `progress` follows it.
    SweepOutcome sweep(SweepProgress& progress, SweepHistory& history);
    // Every sweep of a run kept under the antenna in use.
    SweepHistory history(bool bandPoints) const;

    // Escape, the close button or a stop signal.
    void requestStop() { m_stop.request(); }
    bool stopAsked() const { return m_stop.requested(); }
    // An Escape that stopped the last run does not stop the next.
    void clearStop() { m_stop.clear(); }
    // The close button during a sweep: true when the sweep is first to end, and the window
    // is closed once it has.
    bool closeWhenEnded();

    const KeptSweep& kept() const { return m_view.kept(); }
    // Where the last sweep tuned the radio, for the readout at the antenna.
    std::optional<double> tunedMHz() const { return m_view.tunedMHz(); }

private:
    // What the window holds at Run, copied: nothing the user does meanwhile reaches the sweep.
    SweepRequest request() const;

    QWidget& m_window;
    Devices& m_devices;
    const FormControls& m_form;
    WindowParts m_parts;
    SweepResults::AtRest m_atRest;
    SweepView m_view;  // what the engine reports, shown as it comes
    SweepStop m_stop;
    bool m_running = false;
    bool m_closeRequested = false;
};

}  // namespace zm
