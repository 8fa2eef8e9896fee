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

// Why the sweep did not key a point, which therefore has no values: the band plan lets no
// carrier go there.
enum class SkipReason { OutsideBandPlan };

// As a CSV field: "fixed 1", "settled 4", "unsettled 6".
std::string takingField(const PointTaking& taking);
// What takingField wrote; none for anything else.
std::optional<PointTaking> readTakingField(std::string_view field);

// The skipped point's field in the same column: "outside band plan".
std::string_view skipReasonField(SkipReason reason);
// What skipReasonField wrote; none for anything else.
std::optional<SkipReason> readSkipReasonField(std::string_view field);

// As the chart shows it on hover: "Fixed wait, 1 reading", "Settled after 4 readings",
// "Unsettled after 6 readings".
std::string takingLine(const PointTaking& taking);

}  // namespace zm
