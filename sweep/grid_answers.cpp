// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/grid_answers.h"

namespace zm {

bool crossesSwrLine(const RefineReading& a, const RefineReading& b, double line) {
    return (a.swr < line) != (b.swr < line);
}

bool changesReactanceSign(const RefineReading& a, const RefineReading& b) {
    return (a.impedanceOhms.imag() < 0.0) != (b.impedanceOhms.imag() < 0.0);
}

GridAnswers gridAnswersOf(std::span<const RefinePoint> points) {
    GridAnswers answers;
    std::optional<int> previous;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const auto& reading = points[static_cast<std::size_t>(i)].reading;
        if (!reading) {
            continue;
        }
        if (!answers.lowestSwr ||
            reading->swr < points[static_cast<std::size_t>(*answers.lowestSwr)].reading->swr) {
            answers.lowestSwr = i;
        }
        if (previous) {
            const RefineReading& before = *points[static_cast<std::size_t>(*previous)].reading;
            for (std::size_t line = 0; line < kSwrLines.size(); ++line) {
                if (crossesSwrLine(before, *reading, kSwrLines[line])) {
                    answers.swrCrossings[line].emplace_back(*previous, i);
                }
            }
            if (changesReactanceSign(before, *reading)) {
                answers.reactanceSignChanges.emplace_back(*previous, i);
            }
        }
        previous = i;
    }
    return answers;
}

}  // namespace zm
