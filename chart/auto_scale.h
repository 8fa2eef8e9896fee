// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace zm {

// A vertical axis range with round divisions.
struct AxisRange {
    double minimum = 0.0;
    double maximum = 1.0;
    int majorDivisions = 5;
};

// The range an axis on automatic scale shows for data from lowest to highest: a little room
// above and below, ends on whole multiples of a round step (1, 2, 2.5 or 5 times a power of
// ten) and about five divisions. Data that never leaves zero, and no data at all (lowest
// above highest), shows 0 to 1; a range is not padded across zero, so all-positive data
// starts at 0 at the lowest.
AxisRange autoScaleRange(double lowest, double highest);

}  // namespace zm
