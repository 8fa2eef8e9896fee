// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

namespace zm {

// Which of `points` sweep points carry a frequency label on the chart's bottom axis: every
// n-th point from the first, n the smallest of 1, 2, 5, 10, 20, 50, ... that leaves at most
// `room` labels (at least one). With 50 kHz steps the labels then fall on round frequencies:
// 288 points from 0 MHz with room for 10 labels every 2.5 MHz. Positions count from 0.
std::vector<int> labelledPoints(int points, int room);

}  // namespace zm
