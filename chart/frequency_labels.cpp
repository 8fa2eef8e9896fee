// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/frequency_labels.h"

#include <array>

namespace zm {

std::vector<int> labelledPoints(int points, int room) {
    std::vector<int> positions;
    if (points <= 0) {
        return positions;
    }
    const long long labels = room < 1 ? 1 : room;
    const auto fits = [&](long long stride) { return (points - 1) / stride + 1 <= labels; };
    long long stride = 1;
    for (long long decade = 1; !fits(stride); decade *= 10) {
        for (const long long factor : std::array{1LL, 2LL, 5LL}) {
            stride = factor * decade;
            if (fits(stride)) {
                break;
            }
        }
    }
    for (long long position = 0; position < points; position += stride) {
        positions.push_back(static_cast<int>(position));
    }
    return positions;
}

}  // namespace zm
