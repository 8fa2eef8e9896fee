// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/feedline_plane.h"

#include <QAction>
#include <QLineEdit>
#include <cmath>

#include "feedline/feedline_choice.h"
#include "feedline/reading_plane.h"
#include "results/result_texts.h"

namespace zm {

FeedlinePlane::FeedlinePlane(const FormControls& form, MessageBoxes& messages,
                             std::string programFolder)
    : m_form(form), m_messages(messages), m_programFolder(std::move(programFolder)) {}

const std::vector<Cable>& FeedlinePlane::cables() {
    if (!m_cables) {
        m_cables = loadCableList(m_programFolder, m_cableListProblem);
    }
    return *m_cables;
}

void FeedlinePlane::use(const FeedlineSettings& settings) {
    m_feedline.reset();
    m_atAntenna = settings.showAtAntenna;
    if (!settings.cable.empty()) {
        auto chosen = feedlineFrom(settings, cables());
        if (const auto* why = std::get_if<std::string>(&chosen)) {
            std::string problem = *why;
            if (!m_cableListProblem.empty()) {
                problem += "; " + m_cableListProblem;
            }
            m_messages.show(
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
    (m_atAntenna ? m_form.mnuAtAntenna : m_form.mnuAtMeter)->setChecked(true);
}

Plane FeedlinePlane::shownPlane() const {
    return m_feedline && m_atAntenna ? Plane::Antenna : Plane::Meter;
}

SweepRecord FeedlinePlane::atShownPlane(const SweepRecord& record) const {
    return recordAtPlane(record, shownPlane(), m_feedline ? &*m_feedline : nullptr);
}

std::vector<Memory> FeedlinePlane::shownMemories(const std::vector<Memory>& memories) const {
    std::vector<Memory> shown = memories;
    for (Memory& memory : shown) {
        std::string why;
        memory.record =
            memoryAtPlane(memory.record, shownPlane(), m_feedline ? &*m_feedline : nullptr, why);
        memory.name += why.empty() ? "" : " (" + why + ")";
    }
    return shown;
}

void FeedlinePlane::showReadoutTip(const MeterReading& meter, std::optional<double> tunedMHz) {
    QString tip;
    // Without RF the meter reads 0 ohm, which no antenna is.
    const auto reading = pointReadingOf(meter, meter.Z > 0.0 && meter.Phase);
    if (m_feedline && reading && tunedMHz) {
        const double hz = *tunedMHz * 1e6;
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
