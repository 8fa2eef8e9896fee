// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/band_choice.h"

#include <algorithm>

#include "numbers/number_text.h"

namespace zm {

std::string commaList(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

std::variant<std::vector<std::string>, std::string> bandsOfPlan(
    const BandPlan& plan, const std::vector<std::string>& typed) {
    std::vector<std::string> names;
    std::vector<std::string> missing;
    for (const std::string& name : typed) {
        const auto band = std::find_if(plan.bands.begin(), plan.bands.end(), [&](const Band& b) {
            return equalsIgnoringCase(b.name, name);
        });
        if (band == plan.bands.end()) {
            missing.push_back(name);
        } else if (std::find(names.begin(), names.end(), band->name) == names.end()) {
            names.push_back(band->name);
        }
    }
    if (missing.empty()) {
        return names;
    }
    std::vector<std::string> bands;
    for (const Band& band : plan.bands) {
        bands.push_back(band.name);
    }
    // "all IARU regions", "IARU Region 1", or the user's "your own band plan"
    const std::string planName =
        plan.title.starts_with("your ") ? plan.title : "the band plan of " + plan.title;
    return "--band " + commaList(missing) + ": no such band" + (missing.size() > 1 ? "s" : "") +
           " in " + planName + "; its bands are " + commaList(bands) +
           "; choose among them, or another plan with --plan";
}

}  // namespace zm
