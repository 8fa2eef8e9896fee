// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zm {

// A stretch of a band where a carrier may go, in Hz, both edges included. A channel, where a
// carrier may go only on its centre frequency (the US 60 m channels), has equal edges.
struct BandSegment {
    std::int64_t lowHz = 0;
    std::int64_t highHz = 0;

    friend bool operator==(const BandSegment&, const BandSegment&) = default;
};

// One band of a plan: its name as the plan file writes it ("40m") and its segments, lowest
// first, never empty.
struct Band {
    std::string name;
    std::vector<BandSegment> segments;

    std::int64_t lowestHz() const { return segments.front().lowHz; }
    std::int64_t highestHz() const { return segments.back().highHz; }

    friend bool operator==(const Band&, const Band&) = default;
};

// The bands a licence allows: the key station.ini keeps ("iaru1"), a title for the user
// ("IARU Region 1"), and the bands in frequency order.
struct BandPlan {
    std::string key;
    std::string title;
    std::vector<Band> bands;

    friend bool operator==(const BandPlan&, const BandPlan&) = default;
};

}  // namespace zm
