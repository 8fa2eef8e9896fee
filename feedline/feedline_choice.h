// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "feedline/transmission_line.h"
#include "station/station_file.h"

namespace zm {

// The feedline that station.ini's [feedline] describes, with the cable looked up in the
// list or made of the custom keys (50 ohm); none for an empty cable. What is missing or
// unknown is told in words for the user: "the cable RG-59 is not in the cable list".
std::variant<std::optional<Feedline>, std::string> feedlineFrom(const FeedlineSettings& settings,
                                                                const std::vector<Cable>& cables);

}  // namespace zm
