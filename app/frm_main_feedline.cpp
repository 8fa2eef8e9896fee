// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Feedline... and View, At the antenna / At the meter: the one place where the
// meter's readings are moved to the plane the user reads them at, before the chart, the
// Smith chart, the markers and the match window draw them.

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include "app/frm_main.h"
#include "app/station_store.h"
#include "chart/trace_points.h"
#include "feedline/feedline_choice.h"
#include "feedline/reading_plane.h"
#include "results/result_texts.h"

namespace zm {

namespace {

// The plot grid's columns that a sweep fills in each plot mode (copyReadingToRow).
std::uint8_t columnsOfMode(int plotMode) {
    constexpr auto bit = [](int column) { return static_cast<std::uint8_t>(1u << column); };
    switch (plotMode) {
        case 0:
            return bit(2) | bit(3);
        case 1:
            return bit(4) | bit(6);
        case 2:
        case 3:
            return bit(5);
        case 4:
            return bit(7);
        default:
            return 0;
    }
}

}  // namespace

void frmMain::mnuFeedline_Click() {
    if (!m_devices.feedlineDialog) {
        return;
    }
    setTimer1Enabled(false);
    const FeedlineDialogInput input{m_station.feedline, cables(), m_cableListProblem, m_record};
    if (const auto chosen = m_devices.feedlineDialog->edit(input)) {
        keepFeedline(*chosen);
    }
    setTimer1Enabled(true);
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

// Into station.ini as Sweep settings does: the file as it stands now, with this section new.
void frmMain::keepFeedline(const FeedlineSettings& settings) {
    const StationStore store(m_devices.config.directory());
    std::string message;
    StationSettings kept = store.load(message);
    kept.feedline = settings;
    std::string whyNot;
    if (!store.save(kept, whyNot)) {
        message += (message.empty() ? "" : "\n\n") + whyNot;
    }
    m_station.feedline = settings;  // for this session, also when it could not be kept
    if (!message.empty()) {
        m_devices.messages->show(message);
    }
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

std::vector<Memory> frmMain::shownMemories() const {
    std::vector<Memory> shown = m_shelf.memories();
    for (Memory& memory : shown) {
        memory.record = atShownPlane(memory.record);
    }
    return shown;
}

// Row 1 begins a new sweep, whose rows fill afresh.
void frmMain::noteFilledColumns(int row) {
    if (row == 1) {
        m_filledColumns.clear();
    }
    m_filledColumns.resize(std::max<std::size_t>(m_filledColumns.size(), std::size_t(row)));
    m_filledColumns[std::size_t(row) - 1] |= columnsOfMode(m_form.Combo2->currentIndex());
}

// The grid keeps what the meter read; at the antenna each cell a sweep filled shows the
// same series of the point's reading there.
void frmMain::showGrid() {
    if (shownPlane() == Plane::Meter) {
        m_devices.chart->setChartData(m_grid);
        return;
    }
    PlotGrid shown = m_grid;
    const std::size_t rows = std::min({m_shownRecord.points.size(), m_filledColumns.size(),
                                       std::size_t(std::max(0, m_grid.rows()))});
    for (std::size_t i = 0; i < rows; ++i) {
        const std::optional<PointReading>& reading = m_shownRecord.points[i].reading;
        for (int column = 2; column <= PlotGrid::kColumns; ++column) {
            if ((m_filledColumns[i] & (1u << column)) != 0) {
                shown.at(int(i) + 1, column) =
                    reading ? Cell(seriesValue(*reading, column - 1, Plane::Antenna)) : Cell();
            }
        }
    }
    m_devices.chart->setChartData(shown);
}

// The readout stays the meter's, the live instrument; its tooltip tells the same reading at
// the antenna, at the frequency the radio was last tuned to.
void frmMain::showReadoutAtAntenna() {
    QString tip;
    // Without RF the meter reads 0 ohm, which no antenna is.
    const auto reading = pointReadingOf(m_reading, m_reading.Z > 0.0 && m_reading.Phase);
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
