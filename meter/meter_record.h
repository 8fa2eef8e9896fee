// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "meter/fixed4.h"

namespace zm {

// One poll of the ZM-480. We send the three bytes ";P?" (no terminator) and, 0.2 s
// later, take one 43-character record. A real answer, positions counted from 1:
//
//   ;  100.0, 50.0,-30.0, R  43.3 X -25.0 SW 1.50
//   ^ 2-8 power ^10-14 Z ^16-20 phase       ^40-43 SWR
//
// Positions 9, 15 and 21-39 are not read.
inline constexpr std::string_view kMeterQuery = ";P?";
inline constexpr std::size_t kMeterRecordLength = 43;

// The values of the last accepted record. Before the first one the texts are empty,
// the numbers hold no value and SWR is 0.
struct MeterReading {
    std::optional<double> Power;
    std::string ZText;
    std::optional<double> Z;
    std::string PhaseText;
    std::optional<double> Phase;
    Fixed4 SWR;
    std::optional<double> R;  // |Z cos(Phase / 57.3)|, ohms
    std::optional<double> X;  // |Z sin(Phase / 57.3)|, ohms: a magnitude, the sign is lost
};

// Exactly 43 characters, the first of them ";".
bool isAcceptedResponse(std::string_view raw);

// Cuts the fields out of an accepted record and derives R and X. The caller has
// checked isAcceptedResponse.
MeterReading parseMeterRecord(std::string_view record);

}  // namespace zm
