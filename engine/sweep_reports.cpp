// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/sweep_reports.h"

namespace zm {

void placePoint(SweepRecord& record, int point, SweepPoint swept) {
    const auto index = static_cast<std::size_t>(point - 1);
    if (index < record.points.size()) {
        record.points[index] = std::move(swept);
    } else {
        record.points.push_back(std::move(swept));
    }
}

}  // namespace zm
