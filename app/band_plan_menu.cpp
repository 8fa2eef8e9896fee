// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/band_plan_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTimer>

#include "app/form_menus.h"
#include "bandplan/carrier_rule.h"
#include "settings/band_plan_store.h"
#include "station/station_file.h"
#include "sweep/band_boxes.h"
#include "sweep/carrier_mode.h"

namespace zm {

namespace {

constexpr auto kOwnPlanItem = "Own plan (bands.ini)";

QString capitalised(const std::string& title) {
    QString text = menuText(title);
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

}  // namespace

BandPlanMenu::BandPlanMenu(const FormControls& form, Devices& devices,
                           std::function<void(const std::string&)> planChosen,
                           std::function<void(const Band&)> bandChosen)
    : m_form(form),
      m_devices(devices),
      m_planChosen(std::move(planChosen)),
      m_bandChosen(std::move(bandChosen)) {}

void BandPlanMenu::load(const std::string& planKey, std::int16_t carrierMode) {
    std::string report;
    m_shippedPlans =
        BandPlanStore(m_devices.bandPlanFile, m_devices.config.directory()).loadShipped(report);
    if (!report.empty()) {
        m_devices.messages->show(report);
    }
    buildPlanMenu();
    std::string planReport;
    std::optional<BandPlan> plan = find(planKey, planReport);
    if (!plan && !planReport.empty()) {
        m_devices.messages->show(planReport);
    }
    use(plan ? std::move(*plan) : BandPlanStore::anyPlan(m_shippedPlans), carrierMode);
}

void BandPlanMenu::buildPlanMenu() {
    m_form.mnuBandPlan->clear();
    auto* group = new QActionGroup(m_form.mnuBandPlan);
    const auto addItem = [&](const QString& text, const std::string& key) {
        QAction* item = m_form.mnuBandPlan->addAction(text);
        item->setCheckable(true);
        item->setData(QString::fromStdString(key));
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, key] { m_planChosen(key); });
    };
    for (const BandPlan& plan : m_shippedPlans) {
        addItem(capitalised(plan.title), plan.key);
    }
    addItem(kOwnPlanItem, std::string(LicenceSettings::kOwnPlan));
}

// Which of bands.ini's plans is used goes above the chart once start-up, whose plan empties
// that line, is done.
std::optional<BandPlan> BandPlanMenu::find(const std::string& planKey, std::string& report) {
    std::string whichPlan;
    std::optional<BandPlan> plan =
        BandPlanStore(m_devices.bandPlanFile, m_devices.config.directory())
            .find(m_shippedPlans, planKey, report, whichPlan);
    if (!whichPlan.empty()) {
        QTimer::singleShot(0, this, [this, whichPlan] { m_devices.chart->setNotice(whichPlan); });
    }
    return plan;
}

void BandPlanMenu::use(BandPlan plan, std::int16_t carrierMode) {
    m_plan = std::move(plan);
    for (QAction* item : m_form.mnuBandPlan->actions()) {
        item->setChecked(item->data().toString().toStdString() == m_plan.key);
    }
    show(carrierMode);
}

void BandPlanMenu::show(std::int16_t carrierMode) {
    const std::int64_t sidebandHz = sidebandHzOf(carrierMode);
    for (QAction* item : m_bandItems) {
        delete item;
    }
    m_bandItems.clear();
    QAction* before = m_form.mnuBand->actions().front();  // the separator above Sweep my bands
    for (const Band& band : m_plan.bands) {
        auto* item = new QAction(menuText(bandMenuItemText(band, sidebandHz)), m_form.mnuBand);
        connect(item, &QAction::triggered, this, [this, band] { m_bandChosen(band); });
        m_form.mnuBand->insertAction(before, item);
        m_bandItems.push_back(item);
    }
    m_devices.chart->setInsideStretches(carrierStretches(m_plan, sidebandHz));
}

}  // namespace zm
