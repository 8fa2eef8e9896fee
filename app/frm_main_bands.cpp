// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Band plan chooses the plan in force and station.ini keeps it; a band of the Band
// menu goes into the boxes.

#include <QLineEdit>
#include <cmath>

#include "app/frm_main.h"
#include "sweep/band_boxes.h"
#include "sweep/carrier_mode.h"

namespace zm {

// Polling rests while a message may be up, as for Setup's other entries.
void frmMain::mnuBandPlan_Click(const std::string& planKey) {
    const PollingPause paused(*this);
    std::string report;
    if (std::optional<BandPlan> chosen = m_bandPlans.find(planKey, report)) {
        m_stationIni.change([&](StationSettings& settings) { settings.licence.plan = planKey; });
        m_bandPlans.use(std::move(*chosen), m_planBoxes.plan().CarrierMode);
    } else {
        m_bandPlans.use(m_bandPlans.plan(),
                        m_planBoxes.plan().CarrierMode);  // it keeps its check mark
        m_devices.messages->show(report);
    }
}

// As typing the plan's values into the boxes would; the step stays. The box whose new
// value lies nearer to the other box's old one goes first, so that the plan between the
// two changes is never wider than either. A band that the boxes cannot plan is offered to
// Sweep my bands alone.
void frmMain::mnuBand_Click(const Band& band) {
    const SweepPlan& plan = m_planBoxes.plan();
    const BandBoxes boxes = bandBoxes(band, plan.StepFreq, sidebandHzOf(plan.CarrierMode));
    if (boxes.kind == BandBoxes::Kind::SweepMyBands) {
        runSweeps([&] {
            return sweepMyBands({{band.name}, m_stationIni.settings().bands.points}, false);
        });
        return;
    }
    const auto megahertz = [](std::int64_t hz) { return static_cast<double>(hz) / 1e6; };
    const QString start = QString::fromStdString(boxText(boxes.startHz));
    const QString stop = QString::fromStdString(boxText(boxes.stopHz));
    if (std::fabs(megahertz(boxes.startHz) - plan.StopFreq) <=
        std::fabs(plan.StartFreq - megahertz(boxes.stopHz))) {
        m_form.Text2->setText(start);
        m_form.Text3->setText(stop);
    } else {
        m_form.Text3->setText(stop);
        m_form.Text2->setText(start);
    }
}

}  // namespace zm
