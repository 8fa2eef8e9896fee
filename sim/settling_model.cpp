// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/settling_model.h"

#include <algorithm>
#include <cmath>

namespace zm::sim {

namespace {

constexpr double kPhaseScaleDegrees = 90.0;

}  // namespace

double settledPart(std::chrono::duration<double> keyed, const SettlingModel& model) {
    const double t = keyed.count();
    const double rise = std::chrono::duration<double>(model.rise).count();
    const double window = std::chrono::duration<double>(model.window).count();
    if (t < 0.0) {
        return 0.0;
    }
    if (window <= 0.0) {
        return rise <= 0.0 ? 1.0 : 1.0 - std::exp(-t / rise);
    }
    if (rise <= 0.0) {
        return std::min(t / window, 1.0);
    }
    if (t <= window) {
        return (t - rise * (1.0 - std::exp(-t / rise))) / window;
    }
    return 1.0 - rise / window * (std::exp(-(t - window) / rise) - std::exp(-t / rise));
}

MeterValues partOf(const MeterValues& settled, double part) {
    return {settled.power * part, settled.zOhms * part, settled.phaseDegrees * part,
            settled.swr * part};
}

MeterValues MeterNoise::addedTo(const MeterValues& values) {
    if (m_part <= 0.0 || values.power <= 0.0) {
        return values;  // without RF the meter reads a steady nothing
    }
    const auto spread = [this](double scale) { return m_part * scale * m_normal(m_generator); };
    MeterValues noisy = values;
    noisy.power += spread(values.power);
    noisy.zOhms += spread(values.zOhms);
    noisy.phaseDegrees += spread(kPhaseScaleDegrees);
    noisy.swr += spread(values.swr);
    return noisy;
}

}  // namespace zm::sim
