// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/devices.h"
#include "app/form_layout.h"
#include "bandplan/band_plan.h"

class QAction;

namespace zm {

// The band plan in force: the shipped plans and bands.ini's own, Setup, Band plan's items
// with the one in force checked, the Band menu's bands, and the chart's shading of what lies
// outside the plan (where a sweep keys no point). In AM the sidebands must fit as well, so
// the carrier has less room: the Band menu and the shading follow the carrier mode.
class BandPlanMenu : public QObject {
    Q_OBJECT

public:
    // `planChosen` runs for an item of Setup, Band plan, `bandChosen` for one of the Band menu.
    BandPlanMenu(const FormControls& form, Devices& devices,
                 std::function<void(const std::string& planKey)> planChosen,
                 std::function<void(const Band&)> bandChosen);

    // The shipped plans, read once at the first start-up, and the plan of `planKey` put in
    // force (or the plan of all IARU regions, with a message).
    void load(const std::string& planKey, std::int16_t carrierMode);
    // The plan of that key, bands.ini for "own"; none, with the reason, when it cannot be had.
    std::optional<BandPlan> find(const std::string& planKey, std::string& report);
    void use(BandPlan plan, std::int16_t carrierMode);
    // The Band menu's items and the shading, for the carrier mode.
    void show(std::int16_t carrierMode);

    const BandPlan& plan() const { return m_plan; }  // no band until start-up reads one

private:
    void buildPlanMenu();

    const FormControls& m_form;
    Devices& m_devices;
    std::function<void(const std::string&)> m_planChosen;
    std::function<void(const Band&)> m_bandChosen;
    std::vector<BandPlan> m_shippedPlans;
    BandPlan m_plan;
    std::vector<QAction*> m_bandItems;  // the Band menu's bands
};

}  // namespace zm
