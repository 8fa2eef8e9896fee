// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <random>

#include "sim/meter_answer.h"

namespace zm::sim {

// Which fault the meter shows in each answer: always the same one (--fault NAME), or, for
// long runs against the program, a good answer most of the time and now and then one of
// the faults, each as likely as any other (--fault random).
class FaultPicker {
public:
    explicit FaultPicker(Fault fixed = Fault::None) : m_fixed(fixed) {}
    // faultShare: the part of the answers that misbehave, 0 to 1.
    static FaultPicker random(double faultShare, std::uint32_t seed);

    Fault next();

private:
    Fault m_fixed = Fault::None;
    bool m_random = false;
    std::bernoulli_distribution m_misbehaves{0.0};
    std::mt19937 m_generator;
};

}  // namespace zm::sim
