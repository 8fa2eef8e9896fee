// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Feedline... and View, At the antenna / At the meter, and every reading shown again
// at the plane chosen.

#include "app/frm_main.h"

namespace zm {

void frmMain::mnuFeedline_Click() {
    if (!m_devices.feedlineDialog) {
        return;
    }
    const PollingPause paused(*this);
    const FeedlineDialogInput input{m_stationIni.settings().feedline, m_feedlinePlane.cables(),
                                    m_feedlinePlane.cableListProblem(), m_results.record()};
    if (const auto chosen = m_devices.feedlineDialog->edit(input)) {
        keepFeedline(*chosen);
    }
}

void frmMain::mnuAtAntenna_Click() {
    FeedlineSettings settings = m_stationIni.settings().feedline;
    settings.showAtAntenna = true;
    keepFeedline(settings);
}

void frmMain::mnuAtMeter_Click() {
    FeedlineSettings settings = m_stationIni.settings().feedline;
    settings.showAtAntenna = false;
    keepFeedline(settings);
}

// Into station.ini as Sweep settings does, and every reading moved to the plane chosen.
void frmMain::keepFeedline(const FeedlineSettings& settings) {
    m_stationIni.change([&](StationSettings& station) { station.feedline = settings; });
    useFeedline();
}

void frmMain::useFeedline() {
    m_feedlinePlane.use(m_stationIni.settings().feedline);
    m_results.showAtPlane();
    m_results.showMemories();
    showGrid();
    showReadoutAtAntenna();
}

void frmMain::showReadoutAtAntenna() {
    m_feedlinePlane.showReadoutTip(m_readout.reading(), m_sweepView.tunedMHz());
}

}  // namespace zm
