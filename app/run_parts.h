// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAction>
#include <functional>

#include "app/bands_run.h"
#include "app/sweep_run.h"

namespace zm {

// The run: Run's sweep of the plan in the boxes, and Sweep my bands, band after band on the
// same sweep.
struct RunParts {
    // `planSweep` plans the boxes' span anew; `showGrid` draws the grid at the plane shown.
    RunParts(QWidget& window, Devices& devices, const FormControls& form, WindowParts parts,
             const SweepResults::AtRest& atRest, const std::function<void()>& planSweep,
             const std::function<void()>& showGrid)
        : sweep(window, devices, form, parts, atRest, showGrid),
          bands(window, devices, *form.mnuBands, sweep, parts, planSweep, showGrid) {}

    SweepRun sweep;
    BandsRun bands;
};

}  // namespace zm
