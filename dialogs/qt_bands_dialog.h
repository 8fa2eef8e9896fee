// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/bands_dialog.h"

namespace zm {

// BandsDialog as a small modal dialog over the active window: the plan's bands in a list
// to tick, each with its edges, and the points per band. OK starts the run, so it stays
// greyed while no band is ticked; the line above it counts the key-downs the run will make.
class QtBandsDialog : public BandsDialog {
public:
    std::optional<BandsSettings> ask(const BandPlan& plan, const BandsSettings& current) override;
};

}  // namespace zm
