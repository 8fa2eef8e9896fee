// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Feedline... and View, At the antenna / At the meter: the one place where the
// meter's readings are moved to the plane the user reads them at, before the chart, the
// Smith chart, the markers and the match window draw them.

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>

#include "app/frm_main.h"
#include "feedline/feedline_choice.h"
#include "feedline/reading_plane.h"
#include "results/result_texts.h"

namespace zm {

void frmMain::mnuFeedline_Click() {
    if (!m_devices.feedlineDialog) {
        return;
    }
    const PollingPause paused(*this);
    const FeedlineDialogInput input{m_station.feedline, cables(), m_cableListProblem, m_record};
    if (const auto chosen = m_devices.feedlineDialog->edit(input)) {
        keepFeedline(*chosen);
    }
}

void frmMain::mnuAtAntenna_Click() {
    FeedlineSettings settings = m_station.feedline;
    settings.showAtAntenna = true;
    keepFeedline(settings);
}

void frmMain::mnuAtMeter_Click() {
    FeedlineSettings settings = m_station.feedline;
    settings.showAtAntenna = false;
    keepFeedline(settings);
}

// Into station.ini as Sweep settings does, and every reading moved to the plane chosen.
void frmMain::keepFeedline(const FeedlineSettings& settings) {
    changeStationFile([&](StationSettings& station) { station.feedline = settings; });
    useFeedline();
}

const std::vector<Cable>& frmMain::cables() {
    if (!m_cables) {
        const QString folder = m_devices.programFolder.isEmpty()
                                   ? QCoreApplication::applicationDirPath()
                                   : m_devices.programFolder;
        m_cables = loadCableList(folder.toStdString(), m_cableListProblem);
    }
    return *m_cables;
}

void frmMain::useFeedline() {
    m_feedline.reset();
    if (!m_station.feedline.cable.empty()) {
        auto chosen = feedlineFrom(m_station.feedline, cables());
        if (const auto* why = std::get_if<std::string>(&chosen)) {
            std::string problem = *why;
            if (!m_cableListProblem.empty()) {
                problem += "; " + m_cableListProblem;
            }
            m_devices.messages->show(
                "The feedline of station.ini is not taken out of the "
                "readings: " +
                problem +
                ". The readings are the meter's; set the feedline in "
                "Setup, Feedline...");
        } else {
            m_feedline = std::get<std::optional<Feedline>>(std::move(chosen));
        }
    }
    for (QAction* choice : {m_form.mnuAtAntenna, m_form.mnuAtMeter}) {
        choice->setEnabled(m_feedline.has_value());
    }
    (m_station.feedline.showAtAntenna ? m_form.mnuAtAntenna : m_form.mnuAtMeter)->setChecked(true);
    showSweepRecord();
    memoriesChanged();
    showGrid();
    showReadoutAtAntenna();
}

Plane frmMain::shownPlane() const {
    return m_feedline && m_station.feedline.showAtAntenna ? Plane::Antenna : Plane::Meter;
}

SweepRecord frmMain::atShownPlane(const SweepRecord& record) const {
    return recordAtPlane(record, shownPlane(), m_feedline ? &*m_feedline : nullptr);
}

// A memory with no value at the antenna is shown at the meter, its name saying why.
std::vector<Memory> frmMain::shownMemories() const {
    std::vector<Memory> shown = m_shelf.memories();
    for (Memory& memory : shown) {
        std::string why;
        memory.record =
            memoryAtPlane(memory.record, shownPlane(), m_feedline ? &*m_feedline : nullptr, why);
        memory.name += why.empty() ? "" : " (" + why + ")";
    }
    return shown;
}

// The readout stays the meter's, the live instrument; its tooltip tells the same reading at
// the antenna, at the frequency the radio was last tuned to.
void frmMain::showReadoutAtAntenna() {
    QString tip;
    // Without RF the meter reads 0 ohm, which no antenna is.
    const MeterReading& meter = m_readout.reading();
    const auto reading = pointReadingOf(meter, meter.Z > 0.0 && meter.Phase);
    if (m_feedline && reading && m_tunedMHz) {
        const double hz = *m_tunedMHz * 1e6;
        SweepPoint point{std::llround(hz),
                         readingAtPlane(*reading, Plane::Meter, Plane::Antenna, *m_feedline, hz)};
        if (point.reading) {
            point.lineLoss = lineLossAt(point.reading->impedance(), *m_feedline, hz);
        }
        tip = QString::fromStdString(
            pointValuesText(point, "At the antenna, through " + m_feedline->description()));
    } else if (m_feedline && reading) {
        tip = QStringLiteral("At the antenna: known once a sweep has tuned the radio");
    }
    for (QLineEdit* box :
         {m_form.Text4, m_form.Text5, m_form.Text6, m_form.Text15, m_form.Text16, m_form.Text1}) {
        box->setToolTip(tip);
    }
}

}  // namespace zm
