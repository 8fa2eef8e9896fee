// SPDX-License-Identifier: GPL-3.0-or-later
// Run: the plan in force handed to the sweep engine, and what it reports shown point by
// point on the readout, the grid, the chart and the record.

#include <QComboBox>
#include <QScopeGuard>

#include "app/frm_main.h"
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

void frmMain::cmdRun_Click() {
    runSweeps([this] {
        SweepProgress progress({{.name = {}, .points = m_planBoxes.plan().PointCount}});
        SweepHistory history = runHistory(false);
        const std::string message = sweepPlan(progress, history).message;
        // How the sweep stands against the antenna's earlier ones, above the chart.
        const KeptSweep& kept = m_sweepView.kept();
        std::string notice = m_devices.chart->shownNotice();
        for (const std::string& line : {kept.said, kept.drift ? kept.drift->line : ""}) {
            notice += (notice.empty() || line.empty() ? "" : "\n") + line;
        }
        m_devices.chart->setNotice(notice);
        return message;
    });
}

SweepHistory frmMain::runHistory(bool bandPoints) const {
    return SweepHistory(m_devices.config.directory().toStdString(),
                        {.bandPoints = bandPoints, .limits = m_stationIni.settings().history});
}

void frmMain::runSweeps(const std::function<std::string()>& run) {
    if (m_sweepRunning) {
        return;  // one sweep at a time, whatever calls
    }
    {
        const PollingPause paused(*this);  // from Run to the end: no poll inside a point
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
    }
    if (m_closeRequested) {
        close();
    }
}

// One sweep of the plan in force, by the engine on a thread of its own, which keeps the
// station safe around it: the window paints and answers the desktop meanwhile, and shows
// each report as it comes. The user's input is dropped while it runs (Escape stops it).
SweepOutcome frmMain::sweepPlan(SweepProgress& progress, SweepHistory& history) {
    const SweepInputFilter inputFilter([this] { requestSweepStop(); });
    m_sweepStop.clear();
    m_sweepRunning = true;
    m_sweepView.begin(progress);
    const auto ended = qScopeGuard([this] {
        m_sweepRunning = false;
        m_sweepView.end();
    });
    StopWaits waits(m_sweepStop);
    const SweepRequest request = sweepRequest();
    SweepOutcome outcome =
        sweepOnThreadOfItsOwn(m_devices.sweepStation(m_stationIni.settings().rig, &waits),
                              m_sweepView, m_sweepStop, request);
    // Once the radio is unkeyed; a history that cannot be written changes nothing here.
    m_sweepView.kept(history.keep(request, outcome));
    // The radio's socket named another antenna (names are the same in any letters): it is
    // the one in use from now on.
    if (const std::string swept = outcome.record ? outcome.record->notes.antenna : "";
        !swept.empty() && !equalsIgnoringCase(swept, m_antennas.inUse())) {
        m_antennas.choose(swept);
    }
    return outcome;
}

// What the window holds at Run, copied: nothing the user does meanwhile reaches the sweep.
SweepRequest frmMain::sweepRequest() const {
    return {
        .plan = m_planBoxes.plan(),
        .plotMode = m_form.Combo2->currentIndex(),
        .bandPlan = m_bandPlans.plan(),
        .sweep = m_stationIni.settings().sweep,
        .rig = m_stationIni.settings().rig,
        .feedline = m_feedlinePlane.feedline(),
        .shownPlane = m_feedlinePlane.shownPlane(),
        .antennas = AntennaSettings{m_antennas.inUse(), m_stationIni.settings().antennas.sockets}};
}

void frmMain::requestSweepStop() {
    m_sweepStop.request();
}

bool frmMain::stopAsked() const {
    return m_sweepStop.requested();
}

}  // namespace zm
