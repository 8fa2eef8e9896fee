// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdint>
#include <random>

#include "sim/meter_record_builder.h"

namespace zm::sim {

// How the meter's readings come up after key-down. The radio's power rises towards its
// final value with a time constant (its ALC), and the meter shows every field averaged over
// a window of time, in which the moments before key-down count as nothing: so a reading
// taken early shows less power, and a Z and phase still on their way to the load's.
struct SettlingModel {
    std::chrono::milliseconds rise{30};
    std::chrono::milliseconds window{300};
    // The spread of each reading, one standard deviation as a part of the value (the
    // phase: as a part of 90 degrees).
    double noise = 0.002;

    bool instant() const { return rise.count() == 0 && window.count() == 0; }
};

// The part of its final value that the meter shows `keyed` after key-down: the average over
// the window W of 1 - exp(-t / T), which is 0 before key-down:
//
//   keyed <= W:  (keyed - T (1 - exp(-keyed / T))) / W
//   keyed >  W:  1 - T / W (exp(-(keyed - W) / T) - exp(-keyed / T))
//
// With the defaults (T 30 ms, W 300 ms): 0.567 at 0.2 s, 0.9964 at 0.4 s, 1 - 5e-6 at 0.6 s.
double settledPart(std::chrono::duration<double> keyed, const SettlingModel& model);

// The meter's fields at that part of the way, as the window averages them all.
MeterValues partOf(const MeterValues& settled, double part);

// The meter's reading error: the same sequence for the same seed.
class MeterNoise {
public:
    MeterNoise(double part, std::uint32_t seed) : m_part(part), m_generator(seed) {}

    MeterValues addedTo(const MeterValues& values);

private:
    double m_part;
    std::mt19937 m_generator;
    std::normal_distribution<double> m_normal{0.0, 1.0};
};

}  // namespace zm::sim
