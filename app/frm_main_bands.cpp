// SPDX-License-Identifier: GPL-3.0-or-later
// The band plan in force: Setup, Band plan chooses it and station.ini keeps it, the Band
// menu lists its bands, and the chart shades what lies outside it (where a sweep keys no
// point).

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <cmath>

#include "app/frm_main.h"
#include "bandplan/band_plan_file.h"
#include "bandplan/carrier_rule.h"
#include "settings/band_plan_store.h"
#include "sweep/band_boxes.h"
#include "sweep/carrier_mode.h"

namespace zm {

namespace {

constexpr auto kOwnPlanItem = "Own plan (bands.ini)";

// A menu shows "&" as the mark of its access key.
QString menuText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace('&', "&&");
    return shown;
}

QString capitalised(const std::string& title) {
    QString text = menuText(title);
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

}  // namespace

void frmMain::loadBandPlans() {
    std::string report;
    m_shippedPlans =
        BandPlanStore(m_devices.bandPlanFile, m_devices.config.directory()).loadShipped(report);
    if (!report.empty()) {
        m_devices.messages->show(report);
    }
    buildBandPlanMenu();
    useBandPlan(bandPlanFor(m_station.licence.plan));
}

void frmMain::buildBandPlanMenu() {
    m_form.mnuBandPlan->clear();
    auto* group = new QActionGroup(m_form.mnuBandPlan);
    const auto addItem = [&](const QString& text, const std::string& key) {
        QAction* item = m_form.mnuBandPlan->addAction(text);
        item->setCheckable(true);
        item->setData(QString::fromStdString(key));
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, key] { mnuBandPlan_Click(key); });
    };
    for (const BandPlan& plan : m_shippedPlans) {
        addItem(capitalised(plan.title), plan.key);
    }
    addItem(kOwnPlanItem, std::string(LicenceSettings::kOwnPlan));
}

// Which of bands.ini's plans is used goes above the chart once start-up, whose plan empties
// that line, is done.
std::optional<BandPlan> frmMain::findBandPlan(const std::string& planKey, std::string& report) {
    std::string whichPlan;
    std::optional<BandPlan> plan =
        BandPlanStore(m_devices.bandPlanFile, m_devices.config.directory())
            .find(m_shippedPlans, planKey, report, whichPlan);
    if (!whichPlan.empty()) {
        QTimer::singleShot(0, this, [this, whichPlan] { m_devices.chart->setNotice(whichPlan); });
    }
    return plan;
}

BandPlan frmMain::bandPlanFor(const std::string& planKey) {
    std::string report;
    if (std::optional<BandPlan> plan = findBandPlan(planKey, report)) {
        return *plan;
    }
    if (!report.empty()) {
        m_devices.messages->show(report);
    }
    return BandPlanStore::anyPlan(m_shippedPlans);
}

// Polling rests while a message may be up, as for Setup's other entries.
void frmMain::mnuBandPlan_Click(const std::string& planKey) {
    const PollingPause paused(*this);
    std::string report;
    if (std::optional<BandPlan> chosen = findBandPlan(planKey, report)) {
        changeStationFile([&](StationSettings& settings) { settings.licence.plan = planKey; });
        useBandPlan(std::move(*chosen));
    } else {
        useBandPlan(m_bandPlan);  // the plan in force keeps its check mark
        m_devices.messages->show(report);
    }
}

void frmMain::useBandPlan(BandPlan plan) {
    m_bandPlan = std::move(plan);
    for (QAction* item : m_form.mnuBandPlan->actions()) {
        item->setChecked(item->data().toString().toStdString() == m_bandPlan.key);
    }
    showBandPlan();
}

// In AM the sidebands must fit as well, so the carrier has less room: the shading and the
// Band menu's items follow the carrier mode.
void frmMain::showBandPlan() {
    const std::int64_t sidebandHz = sidebandHzOf(m_plan.CarrierMode);
    for (QAction* item : m_bandItems) {
        delete item;
    }
    m_bandItems.clear();
    QAction* before = m_form.mnuBand->actions().front();  // the separator above Sweep my bands
    for (const Band& band : m_bandPlan.bands) {
        auto* item = new QAction(menuText(bandMenuItemText(band, sidebandHz)), m_form.mnuBand);
        connect(item, &QAction::triggered, this, [this, band] { mnuBand_Click(band); });
        m_form.mnuBand->insertAction(before, item);
        m_bandItems.push_back(item);
    }
    m_devices.chart->setInsideStretches(carrierStretches(m_bandPlan, sidebandHz));
}

// As typing the plan's values into the boxes would; the step stays. The box whose new
// value lies nearer to the other box's old one goes first, so that the plan between the
// two changes is never wider than either. A band that the boxes cannot plan is offered to
// Sweep my bands alone.
void frmMain::mnuBand_Click(const Band& band) {
    const BandBoxes boxes = bandBoxes(band, m_plan.StepFreq, sidebandHzOf(m_plan.CarrierMode));
    if (boxes.kind == BandBoxes::Kind::SweepMyBands) {
        runSweeps([&] { return sweepMyBands({{band.name}, m_station.bands.points}, false); });
        return;
    }
    const auto megahertz = [](std::int64_t hz) { return static_cast<double>(hz) / 1e6; };
    const QString start = QString::fromStdString(boxText(boxes.startHz));
    const QString stop = QString::fromStdString(boxText(boxes.stopHz));
    if (std::fabs(megahertz(boxes.startHz) - m_plan.StopFreq) <=
        std::fabs(m_plan.StartFreq - megahertz(boxes.stopHz))) {
        m_form.Text2->setText(start);
        m_form.Text3->setText(stop);
    } else {
        m_form.Text3->setText(stop);
        m_form.Text2->setText(start);
    }
}

}  // namespace zm
