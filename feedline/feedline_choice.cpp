// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/feedline_choice.h"

#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr double kCustomImpedanceOhms = 50.0;

std::variant<Cable, std::string> customCable(const FeedlineSettings& settings) {
    if (!settings.velocityFactor) {
        return "a custom cable needs its velocity factor (vf)";
    }
    if (settings.lossDbPer100m.empty() ||
        settings.lossDbPer100m.size() != settings.lossAtMHz.size()) {
        return "a custom cable needs one or two losses (loss_db_per_100m) and as many "
               "frequencies (loss_at_mhz)";
    }
    Cable cable{std::string(kCustomCable), kCustomImpedanceOhms, *settings.velocityFactor, {}, {},
                "your own figures"};
    for (std::size_t i = 0; i < settings.lossAtMHz.size(); ++i) {
        cable.datasheet.push_back({settings.lossAtMHz[i], settings.lossDbPer100m[i]});
    }
    cable.loss = fitLossModel(cable.datasheet);
    return cable;
}

}  // namespace

std::variant<std::optional<Feedline>, std::string> feedlineFrom(const FeedlineSettings& settings,
                                                                const std::vector<Cable>& cables) {
    if (trimmed(settings.cable).empty()) {
        return std::optional<Feedline>();
    }
    if (!settings.lengthM) {
        return "the feedline " + settings.cable + " needs its length (length_m)";
    }
    if (equalsIgnoringCase(trimmed(settings.cable), kCustomCable)) {
        auto cable = customCable(settings);
        if (auto* why = std::get_if<std::string>(&cable)) {
            return *why;
        }
        return std::optional(Feedline{std::get<Cable>(std::move(cable)), *settings.lengthM});
    }
    const Cable* cable = cableNamed(cables, settings.cable);
    if (!cable) {
        return "the cable " + settings.cable + " is not in the cable list";
    }
    return std::optional(Feedline{*cable, *settings.lengthM});
}

}  // namespace zm
