// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace zm {

// A point kept by the decimation: its position in the original values and the value.
struct KeptPoint {
    std::size_t index = 0;
    double value = 0.0;
};

// Reduces a long series for drawing without losing a peak or a dip: the values are cut into
// bucketCount runs of nearly equal length, and of each run the smallest and the largest value
// are kept, in their original order (one point when both are the same sample). At most
// 2 x bucketCount points come back; a series that short already comes back whole. NaN values
// are passed over unless a run holds nothing else.
std::vector<KeptPoint> decimateMinMax(std::span<const double> values, std::size_t bucketCount);

}  // namespace zm
