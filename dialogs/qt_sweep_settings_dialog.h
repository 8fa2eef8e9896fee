// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/sweep_settings_dialog.h"

namespace zm {

// SweepSettingsDialog as a small modal dialog over the active window: a list for how each
// point stays keyed, a list for which of the plan's points are keyed, and a box for the
// ceiling in watts, empty for none. OK refuses a ceiling
// that is not a number above 0, and says so under the box.
class QtSweepSettingsDialog : public SweepSettingsDialog {
public:
    std::optional<SweepSettings> edit(const SweepSettings& current) override;
};

}  // namespace zm
