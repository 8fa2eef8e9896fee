// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "app/sweep_run.h"
#include "dialogs/bands_window.h"
#include "results/band_report.h"
#include "sweep/band_sweeps.h"
#include "zoom/zoom.h"

class QAction;
class QWidget;

namespace zm {

// Band, Sweep my bands...: the bands ticked swept one after the other in one run, each an
// ordinary sweep of the whole band kept as a memory; then the plan in the boxes again, and
// the Bands window that sums the bands up (View, Bands).
class BandsRun {
public:
    // `planSweep` plans the boxes' span anew, as the boxes' handlers do; `showGrid` draws
    // the grid on the chart at the plane shown.
    BandsRun(QWidget& window, Devices& devices, QAction& mnuBands, SweepRun& run, WindowParts parts,
             std::function<void()> planSweep, std::function<void()> showGrid);

    // The bands station.ini keeps ticked are offered, and what the user ticks is kept.
    void sweepMyBands();
    // A band of the Band menu that the boxes cannot plan, offered alone.
    void sweepBandAlone(const std::string& bandName);
    void showBands();

    void setZoom(Zoom zoom);

private:
    // `offered`: the bands ticked when the dialog opens; `keepChoice`: whether what the user
    // ticks there is kept in station.ini.
    std::string sweepChosen(const BandsSettings& offered, bool keepChoice);
    std::string sweepBands(const std::vector<BandSweep>& bands);
    // The last sweep, when it measured anything; `notKept` gets why the disk refused the
    // memory, unless it holds a reason already.
    void keepBandSweep(const std::string& bandName, std::string& notKept);

    QWidget& m_window;
    Devices& m_devices;
    QAction& m_mnuBands;
    SweepRun& m_run;
    WindowParts m_parts;
    std::function<void()> m_planSweep;
    std::function<void()> m_showGrid;
    std::vector<BandResult> m_bandResults;  // of the last Sweep my bands
    QPointer<BandsWindow> m_bandsWindow;
};

}  // namespace zm
