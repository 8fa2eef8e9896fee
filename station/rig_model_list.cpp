// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/rig_model_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace zm {

namespace {

// The columns of rigctld's "%6d  %-23s%-24s%-16s%-12s%s".
constexpr std::size_t kMakerColumn = 8;
constexpr std::size_t kNameColumn = kMakerColumn + 23;
constexpr std::size_t kVersionColumn = kNameColumn + 24;
constexpr std::size_t kStatusColumn = kVersionColumn + 16;
constexpr std::size_t kMacroColumn = kStatusColumn + 12;  // the C name, not shown

constexpr std::array kUsualRates = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view column(std::string_view line, std::size_t from, std::size_t to) {
    return from >= line.size() ? std::string_view() : trimmed(line.substr(from, to - from));
}

std::string lowered(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::optional<int> wholeNumber(std::string_view digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string RigModel::label() const {
    return maker + " " + name + " (" + std::to_string(number) +
           (status.empty() || status == "Stable" ? "" : ", " + status) + ")";
}

bool RigModel::takesCivAddress() const {
    constexpr int kIcomBackend = 3;  // Hamlib's RIG_ICOM: models 3001 to 3999
    constexpr int kModelsPerBackend = 1000;
    return number / kModelsPerBackend == kIcomBackend;
}

bool RigModel::matches(std::string_view typed) const {
    const std::string wanted = lowered(trimmed(typed));
    return !wanted.empty() && lowered(maker + " " + name).find(wanted) != std::string::npos;
}

std::vector<RigModel> parseRigModelList(std::string_view text) {
    std::vector<RigModel> models;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const auto number = wholeNumber(column(line, 0, kMakerColumn));
        const std::string_view name = column(line, kNameColumn, kVersionColumn);
        // Each model has a maker and a name; not all have a macro (TM-D710(G) shows "(null)").
        if (!number || *number <= 0 || name.empty() ||
            column(line, kMakerColumn, kNameColumn).empty()) {
            continue;
        }
        models.push_back({.number = *number,
                          .maker = std::string(column(line, kMakerColumn, kNameColumn)),
                          .name = std::string(name),
                          .status = std::string(column(line, kStatusColumn, kMacroColumn))});
    }
    return models;
}

std::vector<int> parseSerialRates(std::string_view capabilities) {
    constexpr std::string_view kKey = "Serial speed:";
    const auto at = capabilities.find(kKey);
    if (at == std::string_view::npos) {
        return {};
    }
    std::string_view range = trimmed(capabilities.substr(at + kKey.size()));
    range = range.substr(0, range.find(' '));  // "4800..115200"
    const auto dots = range.find("..");
    const auto lowest = wholeNumber(range.substr(0, dots));
    const auto highest =
        dots == std::string_view::npos ? std::nullopt : wholeNumber(range.substr(dots + 2));
    std::vector<int> rates;
    for (const int rate : kUsualRates) {
        if (lowest && highest && rate >= *lowest && rate <= *highest) {
            rates.push_back(rate);
        }
    }
    return rates;
}

const RigModel* findRigModel(const std::vector<RigModel>& models, int number) {
    const auto found = std::ranges::find(models, number, &RigModel::number);
    return found == models.end() ? nullptr : &*found;
}

const RigModel* modelNamedBy(const std::vector<RigModel>& models, std::string_view typed) {
    const RigModel* named = nullptr;
    for (const RigModel& model : models) {
        if (model.label() == typed || std::to_string(model.number) == trimmed(typed)) {
            return &model;
        }
        if (model.matches(typed)) {
            if (named) {
                return nullptr;  // several: the user has not chosen yet
            }
            named = &model;
        }
    }
    return named;
}

}  // namespace zm
