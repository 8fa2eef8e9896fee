// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/fault_picker.h"

#include <algorithm>
#include <array>

namespace zm::sim {
namespace {

constexpr std::array kFaults{Fault::Silent,   Fault::Short,      Fault::Long,
                             Fault::BadStart, Fault::NonNumeric, Fault::Split,
                             Fault::Garbage,  Fault::Noise,      Fault::Flood};

}  // namespace

FaultPicker FaultPicker::random(double faultShare, std::uint32_t seed) {
    FaultPicker picker;
    picker.m_random = true;
    picker.m_misbehaves = std::bernoulli_distribution(std::clamp(faultShare, 0.0, 1.0));
    picker.m_generator.seed(seed);
    return picker;
}

Fault FaultPicker::next() {
    if (!m_random) {
        return m_fixed;
    }
    if (!m_misbehaves(m_generator)) {
        return Fault::None;
    }
    std::uniform_int_distribution<std::size_t> which(0, kFaults.size() - 1);
    return kFaults[which(m_generator)];
}

}  // namespace zm::sim
