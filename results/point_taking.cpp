// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/point_taking.h"

#include <array>
#include <limits>
#include <utility>

#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr std::array<std::pair<PointTaking::How, std::string_view>, 3> kFieldWords{{
    {PointTaking::How::FixedWait, "fixed"},
    {PointTaking::How::Settled, "settled"},
    {PointTaking::How::Unsettled, "unsettled"},
}};

constexpr std::array<std::pair<SkipReason, std::string_view>, 3> kSkipReasonFields{{
    {SkipReason::OutsideBandPlan, "outside band plan"},
    {SkipReason::NotNeeded, "not needed"},
    {SkipReason::BeyondFeedlineLoss, "beyond the feedline's loss"},
}};

std::string_view fieldWord(PointTaking::How how) {
    for (const auto& [each, word] : kFieldWords) {
        if (each == how) {
            return word;
        }
    }
    return {};
}

std::string readingsText(int readings) {
    return std::to_string(readings) + (readings == 1 ? " reading" : " readings");
}

}  // namespace

std::string takingField(const PointTaking& taking) {
    return std::string(fieldWord(taking.how)) + " " + std::to_string(taking.readings);
}

std::optional<PointTaking> readTakingField(std::string_view field) {
    const std::size_t blank = field.find(' ');
    if (blank == std::string_view::npos) {
        return std::nullopt;
    }
    const auto readings = readWhole(field.substr(blank + 1));
    if (!readings || *readings < 1 || *readings > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    for (const auto& [how, word] : kFieldWords) {
        if (field.substr(0, blank) == word) {
            return PointTaking{how, static_cast<int>(*readings)};
        }
    }
    return std::nullopt;
}

std::string_view skipReasonField(SkipReason reason) {
    for (const auto& [each, field] : kSkipReasonFields) {
        if (each == reason) {
            return field;
        }
    }
    return {};
}

std::optional<SkipReason> readSkipReasonField(std::string_view field) {
    for (const auto& [reason, known] : kSkipReasonFields) {
        if (field == known) {
            return reason;
        }
    }
    return std::nullopt;
}

std::string takingLine(const PointTaking& taking) {
    switch (taking.how) {
        case PointTaking::How::FixedWait:
            return "Fixed wait, " + readingsText(taking.readings);
        case PointTaking::How::Settled:
            return "Settled after " + readingsText(taking.readings);
        case PointTaking::How::Unsettled:
            return "Unsettled after " + readingsText(taking.readings);
    }
    return {};
}

}  // namespace zm
