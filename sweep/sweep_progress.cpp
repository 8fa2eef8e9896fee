// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/sweep_progress.h"

#include <algorithm>
#include <cmath>

namespace zm {

namespace {

constexpr double kLongRunSeconds = 60.0;

// "25 s", "1 min 10 s", "2 h 5 min": rounded up to 5 s, and to a minute beyond an hour, so
// that 1 h 59 min 5 s reads "2 h 0 min".
std::string durationText(double seconds) {
    const long long rounded = static_cast<long long>(std::ceil(seconds / 5.0)) * 5;
    if (rounded >= 3600) {
        const long long minutes = (rounded + 59) / 60;
        return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
    }
    const long long minutes = rounded / 60;
    const long long rest = rounded % 60;
    if (minutes > 0) {
        return std::to_string(minutes) + " min" +
               (rest > 0 ? " " + std::to_string(rest) + " s" : "");
    }
    return std::to_string(rest) + " s";
}

}  // namespace

SweepProgress::SweepProgress(std::vector<Band> bands) : m_bands(std::move(bands)) {}

void SweepProgress::sweepBegun() {
    ++m_band;
    m_pointsDone = 0;
    m_keyedLeftInBand = 0;
}

void SweepProgress::keysAtMost(int pointsToKey) {
    m_keyedLeftInBand = pointsToKey;
}

void SweepProgress::pointDone(bool keyed, double seconds) {
    ++m_pointsDone;
    if (keyed) {
        ++m_keyed;
        m_keyedSeconds += seconds;
        m_keyedLeftInBand = std::max(0, m_keyedLeftInBand - 1);
    }
}

bool SweepProgress::worthShowing() const {
    if (m_bands.size() > 1 || (!m_bands.empty() && !m_bands.front().name.empty())) {
        return true;
    }
    return m_keyed > 0 &&
           m_keyedSeconds / m_keyed * (m_keyed + m_keyedLeftInBand) > kLongRunSeconds;
}

std::string SweepProgress::timeLeftText() const {
    if (m_keyed == 0) {
        return {};
    }
    int keyedLeft = m_keyedLeftInBand;
    for (std::size_t later = static_cast<std::size_t>(m_band) + 1; later < m_bands.size();
         ++later) {
        keyedLeft += m_bands[later].points;
    }
    return "about " + durationText(m_keyedSeconds / m_keyed * keyedLeft) + " left";
}

std::string SweepProgress::text() const {
    if (m_band < 0 || static_cast<std::size_t>(m_band) >= m_bands.size()) {
        return {};
    }
    const Band& band = m_bands[static_cast<std::size_t>(m_band)];
    std::string text = band.name.empty()
                           ? "Point "
                           : band.name + ", band " + std::to_string(m_band + 1) + " of " +
                                 std::to_string(m_bands.size()) + " · point ";
    text += std::to_string(m_pointsDone) + " of " + std::to_string(band.points);
    if (const std::string left = timeLeftText(); !left.empty()) {
        text += " · " + left;
    }
    return text;
}

}  // namespace zm
