// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zm {

// How a sweep point's reading was taken while the radio was keyed: after the fixed 1.0 s
// wait, or by readings, settled or at the end of the fixed wait's time without settling.
// `readings` counts the meter's answers asked for while keyed, 0.2 s each, the re-reads of
// rejected ones included.
struct PointTaking {
    enum class How { FixedWait, Settled, Unsettled };

    How how = How::FixedWait;
    int readings = 1;

    friend bool operator==(const PointTaking&, const PointTaking&) = default;
};

// Why a point of the plan has no values: the sweep did not key it, as the band plan lets no
// carrier go there or a refined sweep did not need it for its curve; or it was keyed, but
// at the antenna it has none, as the meter read more reflection there than the feedline's
// loss lets come back from any antenna (its values at the meter are kept with the sweep).
enum class SkipReason { OutsideBandPlan, NotNeeded, BeyondFeedlineLoss };

// As a CSV field: "fixed 1", "settled 4", "unsettled 6".
std::string takingField(const PointTaking& taking);
// What takingField wrote; none for anything else.
std::optional<PointTaking> readTakingField(std::string_view field);

// The skipped point's field in the same column: "outside band plan", "not needed",
// "beyond the feedline's loss".
std::string_view skipReasonField(SkipReason reason);
// What skipReasonField wrote; none for anything else.
std::optional<SkipReason> readSkipReasonField(std::string_view field);

// As the chart shows it on hover: "Fixed wait, 1 reading", "Settled after 4 readings",
// "Unsettled after 6 readings".
std::string takingLine(const PointTaking& taking);

}  // namespace zm
