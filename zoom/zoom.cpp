// SPDX-License-Identifier: GPL-3.0-or-later

#include "zoom/zoom.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zm {

namespace {

constexpr double kLimitPixels = 1e8;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string percentList() {
    std::string list;
    for (std::size_t i = 0; i < Zoom::kPercents.size(); ++i) {
        list += (i == 0                            ? ""
                 : i + 1 == Zoom::kPercents.size() ? " or "
                                                   : ", ") +
                std::to_string(Zoom::kPercents[i]);
    }
    return list;
}

}  // namespace

std::optional<Zoom> Zoom::ofPercent(int percent) {
    if (std::find(kPercents.begin(), kPercents.end(), percent) == kPercents.end()) {
        return std::nullopt;
    }
    return Zoom(percent);
}

Zoom Zoom::larger() const {
    const auto next = std::upper_bound(kPercents.begin(), kPercents.end(), m_percent);
    return next == kPercents.end() ? *this : Zoom(*next);
}

Zoom Zoom::smaller() const {
    const auto at = std::lower_bound(kPercents.begin(), kPercents.end(), m_percent);
    return at == kPercents.begin() ? *this : Zoom(*(at - 1));
}

int twipsToPixels(double twips, Zoom zoom) {
    const double pixels = twips / kTwipsPerPixel * zoom.factor();
    if (!(pixels > -kLimitPixels)) {
        return -static_cast<int>(kLimitPixels);
    }
    if (pixels > kLimitPixels) {
        return static_cast<int>(kLimitPixels);
    }
    return static_cast<int>(std::lround(pixels));
}

double pixelsToTwips(double pixels, Zoom zoom) {
    return pixels / zoom.factor() * kTwipsPerPixel;
}

WindowFileRead readWindowText(std::string_view text) {
    bool inWindow = false;
    std::optional<Zoom> zoom;
    int lineNumber = 0;
    for (std::size_t pos = 0; pos <= text.size();) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        line = trimmed(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inWindow = line == "[window]";
            continue;
        }
        const auto equals = line.find('=');
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (equals == std::string_view::npos) {
            return {{}, where + std::string(line) + " is no name=value"};
        }
        if (!inWindow || trimmed(line.substr(0, equals)) != "zoom") {
            continue;
        }
        const std::string_view value = trimmed(line.substr(equals + 1));
        int percent = 0;
        const auto [rest, fault] =
            std::from_chars(value.data(), value.data() + value.size(), percent);
        zoom = fault == std::errc() && rest == value.data() + value.size()
                   ? Zoom::ofPercent(percent)
                   : std::nullopt;
        if (!zoom) {
            return {{}, where + "zoom=" + std::string(value) + " is not " + percentList()};
        }
    }
    if (!zoom) {
        return {{}, "it has no zoom= in [window]"};
    }
    return {*zoom, {}};
}

std::string writeWindowText(Zoom zoom) {
    return "[window]\nzoom=" + std::to_string(zoom.percent()) + "\n";
}

}  // namespace zm
