// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/cable_list.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "feedline/line_units.h"
#include "numbers/number_text.h"

namespace zm {

namespace {

enum Field { kName, kImpedance, kVelocity, kUnit, kLosses, kSource, kFieldCount };

std::optional<double> positive(std::string_view text) {
    const auto value = readDecimal(text);
    return value && std::isfinite(*value) && *value > 0.0 ? value : std::nullopt;
}

// "1:0.4 10:1.4" in dB per 100 m.
std::optional<std::vector<LossPoint>> lossPoints(std::string_view text, LengthUnit per100) {
    std::vector<LossPoint> points;
    for (const std::string_view pair : words(text)) {
        const std::size_t colon = pair.find(':');
        const auto mhz =
            colon == std::string_view::npos ? std::nullopt : positive(pair.substr(0, colon));
        const auto loss = mhz ? positive(pair.substr(colon + 1)) : std::nullopt;
        if (!loss) {
            return std::nullopt;
        }
        points.push_back({*mhz, dbPer100mFrom(*loss, per100)});
    }
    if (points.empty()) {
        return std::nullopt;
    }
    return points;
}

std::variant<Cable, std::string> cableOf(const std::vector<std::string_view>& fields) {
    if (fields.size() != kFieldCount) {
        return std::to_string(fields.size()) + " fields where a cable has 6, between \"|\"";
    }
    Cable cable;
    cable.name = trimmed(fields[kName]);
    cable.source = trimmed(fields[kSource]);
    const auto ohms = positive(trimmed(fields[kImpedance]));
    const auto velocity = positive(trimmed(fields[kVelocity]));
    const std::string_view unit = trimmed(fields[kUnit]);
    if (cable.name.empty()) {
        return "the cable has no name";
    }
    if (!ohms) {
        return "the impedance is not a number of ohms above 0";
    }
    if (!velocity || *velocity > 1.0) {
        return "the velocity factor is not a number above 0 and up to 1";
    }
    if (unit != "dB/100m" && unit != "dB/100ft") {
        return "the loss unit is neither dB/100m nor dB/100ft";
    }
    const auto points =
        lossPoints(fields[kLosses], unit == "dB/100ft" ? LengthUnit::Foot : LengthUnit::Metre);
    if (!points) {
        return "the losses are not MHz:dB pairs above 0, e.g. 10:1.4";
    }
    cable.impedanceOhms = *ohms;
    cable.velocityFactor = *velocity;
    cable.datasheet = *points;
    cable.loss = fitLossModel(cable.datasheet);
    return cable;
}

}  // namespace

std::variant<std::vector<Cable>, FileError> readCableList(std::string_view text) {
    std::vector<Cable> cables;
    int lineNumber = 0;
    for (const std::string_view line : textLines(text)) {
        ++lineNumber;
        if (trimmed(line).empty() || trimmed(line).starts_with('#')) {
            continue;
        }
        auto cable = cableOf(splitAt(line, '|'));
        if (const auto* why = std::get_if<std::string>(&cable)) {
            return FileError{lineNumber, *why};
        }
        cables.push_back(std::move(std::get<Cable>(cable)));
    }
    return cables;
}

const Cable* cableNamed(const std::vector<Cable>& cables, std::string_view name) {
    for (const Cable& cable : cables) {
        if (equalsIgnoringCase(cable.name, trimmed(name))) {
            return &cable;
        }
    }
    return nullptr;
}

std::vector<std::filesystem::path> cableListPlaces(const std::filesystem::path& programFolder) {
    return {programFolder / kCableListFile,
            programFolder.parent_path() / "share" / "zm480-plot" / kCableListFile};
}

std::vector<Cable> loadCableList(const std::filesystem::path& programFolder, std::string& whyNot) {
    const std::vector<std::filesystem::path> places = cableListPlaces(programFolder);
    for (const std::filesystem::path& place : places) {
        std::ifstream file(place, std::ios::binary);
        if (!file) {
            continue;
        }
        std::ostringstream text;
        text << file.rdbuf();
        auto read = readCableList(text.str());
        if (auto* error = std::get_if<FileError>(&read)) {
            whyNot = "the cable list " + place.string() + " does not read: " + error->describe();
            return {};
        }
        return std::get<std::vector<Cable>>(std::move(read));
    }
    whyNot = "the cable list " + std::string(kCableListFile) + " is neither in " +
             places.front().parent_path().string() + " nor in " +
             places.back().parent_path().string();
    return {};
}

}  // namespace zm
