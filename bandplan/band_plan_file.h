// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bandplan/band_plan.h"

namespace zm {

// The band plans the program ships (band-plans.ini) and the user's own (bands.ini), in one
// form: a [section] a plan, under its key; title= its name for the user; every other line a
// band, its name and its segments in Hz, low-high or a single channel, commas between:
//
//   [us-general]
//   title=US General class
//   40m=7025000-7125000,7175000-7300000
//   60m=5332000,5348000,5358500,5373000,5405000
//
// Lines that begin with ";" or "#" are comments. A plan's key is lower-case letters, digits
// and "-"; a band's name has no blank, "," or "=" in it.

struct BandPlansRead {
    std::vector<BandPlan> plans;  // in the file's order, each plan's bands lowest first
    // Empty for a sound file; else the first fault, without a closing full stop:
    // "line 12: 40m=7200000-7000000 runs downwards". A damaged file gives no plans.
    std::string damage;
};

// Reads the file's text (CRLF, LF or CR line ends). Segments must rise within a band, and
// no two bands of a plan may overlap.
BandPlansRead readBandPlans(std::string_view text);

// Whether a text can be a plan's key: lower-case letters, digits and "-", at least one.
bool isPlanKey(std::string_view key);

// The plan with that key; none when there is none.
const BandPlan* planWithKey(const std::vector<BandPlan>& plans, std::string_view key);

}  // namespace zm
