// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "results/sweep_record.h"
#include "results/text_file.h"

namespace zm {

// A sweep as a one-port Touchstone (version 1) file, S11 against 50 ohm as real and
// imaginary parts, one line a point that has a reading:
//
//   ! ZM-480 Plot sweep taken 2024-05-01 14:03:22
//   ! start 14 MHz, stop 14.35 MHz, step 50 kHz, carrier mode CW
//   ! S11 from the meter's Z and phase, measured at transmit power
//   ! plane: antenna; feedline 20 m of RG-58
//   ! antenna: 20m dipole
//   # Hz S RI R 50
//   14000000 0.078144969 -0.500577083
//   ! 14050000 Hz: no reading
//   ! 14400000 Hz: outside band plan
std::string writeTouchstone(const SweepRecord& record);

// Reads any one-port Touchstone 1 file, as network analysers save them: frequencies in Hz,
// kHz, MHz or GHz; S, Y or Z parameters as RI, MA or DB; any reference resistance; "!"
// comments anywhere; the option line "# GHz S MA R 50" by default. Each point becomes the
// reading the meter would give: |Z|, the signed phase and the SWR against 50 ohm, no power.
// A point with no finite impedance (an exact open) has no reading. Frequencies must rise.
// A "! plane:" comment as writeTouchstone writes it says where the values stand; without
// one they are the instrument's own; a "! antenna:" comment names the antenna swept.
std::variant<SweepRecord, FileError> readTouchstone(std::string_view text);

}  // namespace zm
