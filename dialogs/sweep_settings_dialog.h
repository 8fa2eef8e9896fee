// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "station/station_file.h"

namespace zm {

// The Setup menu's "Sweep settings...": how long each point stays keyed, which of the
// plan's points are keyed, and the power ceiling.
class SweepSettingsDialog {
public:
    virtual ~SweepSettingsDialog() = default;
    // The settings the user chose, starting from `current`; none on Cancel.
    virtual std::optional<SweepSettings> edit(const SweepSettings& current) = 0;
};

}  // namespace zm
