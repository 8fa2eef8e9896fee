// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/band_choice.h"

#include <algorithm>

#include "numbers/number_text.h"

namespace zm {

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
    const auto listed = [](const auto& items, const auto& nameOf) {
        std::string text;
        for (const auto& item : items) {
            text += (text.empty() ? "" : ", ") + nameOf(item);
        }
        return text;
    };
    const auto itself = [](const std::string& name) { return name; };
    return plan.title + " has no band " + listed(missing, itself) + ": its bands are " +
           listed(plan.bands, [](const Band& band) { return band.name; }) +
           "; choose among them, or another plan with --plan";
}

}  // namespace zm
