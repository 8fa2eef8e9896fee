// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sweep_run.h"

#include <QComboBox>
#include <QScopeGuard>
#include <QWidget>
#include <cstdio>

#include "app/sweep_input_filter.h"
#include "engine/sweep_thread.h"
#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr std::string_view kChoosePlotMode =
    "Choose what to plot in the list beside Run (R+jX, Z & Phase, SWR or RHO), then press Run "
    "again.";
constexpr std::string_view kChooseCarrierMode =
    "Choose the carrier mode, CW, AM or FSK, in the list beside the port list (Setup, Diag "
    "shows it), then press Run again.";

}  // namespace

SweepRun::SweepRun(QWidget& window, Devices& devices, const FormControls& form, WindowParts parts,
                   SweepResults::AtRest atRest, std::function<void()> showGrid)
    : m_window(window),
      m_devices(devices),
      m_form(form),
      m_parts(parts),
      m_atRest(std::move(atRest)),
      m_view(window, *devices.chart, parts.planBoxes, parts.results, parts.readout,
             parts.stationWatch, std::move(showGrid)),
      m_stop(devices.sweepSleeper.get(), devices.stopRequested) {}

void SweepRun::runPlan() {
    run([this] {
        SweepProgress progress({{.name = {}, .points = m_parts.model.plan().PointCount}});
        SweepHistory runHistory = history(false);
        const std::string message = sweep(progress, runHistory).message;
        // How the sweep stands against the antenna's earlier ones, above the chart.
        const KeptSweep& kept = m_view.kept();
        std::string notice = m_devices.chart->shownNotice();
        for (const std::string& line : {kept.said, kept.drift ? kept.drift->line : ""}) {
            notice += (notice.empty() || line.empty() ? "" : "\n") + line;
        }
        m_devices.chart->setNotice(notice);
        return message;
    });
}

SweepHistory SweepRun::history(bool bandPoints) const {
    return SweepHistory(m_devices.config.directory().toStdString(),
                        {.bandPoints = bandPoints, .limits = m_parts.station.settings().history});
}

void SweepRun::run(const std::function<std::string()>& run) {
    if (m_running) {
        return;  // one sweep at a time, whatever calls
    }
    m_atRest([&] {  // from Run to the end: no poll inside a point
        if (m_form.Combo2->currentIndex() < 0) {
            // Without a plot mode every point would be keyed and nothing kept.
            m_devices.messages->show(kChoosePlotMode);
        } else if (m_form.Combo4->currentIndex() < 0) {
            // Without one the radio would transmit in whatever mode it was left in.
            m_devices.messages->show(kChooseCarrierMode);
        } else if (const std::string message = run(); !message.empty()) {
            if (m_devices.stopRequested && m_devices.stopRequested->load()) {
                // The desktop is ending the window: a box now would hold the close up.
                std::fprintf(stderr, "zm480-plot: %s\n", message.c_str());
            } else {
                m_devices.messages->show(message);
            }
        }
    });
    if (m_closeRequested) {
        m_window.close();
    }
}

bool SweepRun::closeWhenEnded() {
    if (!m_running) {
        return false;
    }
    m_closeRequested = true;
    requestStop();
    return true;
}

// One sweep of the plan in force, by the engine on a thread of its own, which keeps the
// station safe around it: the window paints and answers the desktop meanwhile, and shows
// each report as it comes. The user's input is dropped while it runs (Escape stops it).
SweepOutcome SweepRun::sweep(SweepProgress& progress, SweepHistory& history) {
    const SweepInputFilter inputFilter([this] { requestStop(); });
    m_stop.clear();
    m_running = true;
    m_view.begin(progress);
    const auto ended = qScopeGuard([this] {
        m_running = false;
        m_view.end();
    });
    StopWaits waits(m_stop);
    const SweepRequest sweepRequest = request();
    SweepOutcome outcome =
        sweepOnThreadOfItsOwn(m_devices.sweepStation(m_parts.station.settings().rig, &waits),
                              m_view, m_stop, sweepRequest);
    // Once the radio is unkeyed; a history that cannot be written changes nothing here.
    m_view.kept(history.keep(sweepRequest, outcome));
    // The radio's socket named another antenna (names are the same in any letters): it is
    // the one in use from now on.
    if (const std::string swept = outcome.record ? outcome.record->notes.antenna : "";
        !swept.empty() && !equalsIgnoringCase(swept, m_parts.antennas.inUse())) {
        m_parts.antennas.choose(swept);
    }
    return outcome;
}

SweepRequest SweepRun::request() const {
    const StationSettings& station = m_parts.station.settings();
    return {.plan = m_parts.model.plan(),
            .plotMode = m_form.Combo2->currentIndex(),
            .bandPlan = m_parts.bandPlans.plan(),
            .sweep = station.sweep,
            .rig = station.rig,
            .feedline = m_parts.plane.feedline(),
            .shownPlane = m_parts.model.plane(),
            .antennas = AntennaSettings{m_parts.antennas.inUse(), station.antennas.sockets}};
}

}  // namespace zm
