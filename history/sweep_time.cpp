// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/sweep_time.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace zm {

namespace {

constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

SweepTime ofLocal(std::tm local) {
    local.tm_isdst = -1;  // as the time zone has it on that day
    const std::time_t utc = std::mktime(&local);
    return {static_cast<std::int64_t>(utc), static_cast<int>(local.tm_gmtoff / 60)};
}

// The time's local fields, from UTC and the offset it was taken with.
std::tm localFields(const SweepTime& time) {
    const std::time_t shifted = static_cast<std::time_t>(time.utcSeconds + time.offsetMinutes * 60);
    std::tm fields{};
    gmtime_r(&shifted, &fields);
    return fields;
}

}  // namespace

SweepTime sweepTimeNow() {
    return sweepTimeAt(static_cast<std::int64_t>(std::time(nullptr)));
}

SweepTime sweepTimeAt(std::int64_t utcSeconds) {
    const auto utc = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    localtime_r(&utc, &local);
    return {utcSeconds, static_cast<int>(local.tm_gmtoff / 60)};
}

std::optional<SweepTime> sweepTimeOfLocalText(std::string_view text) {
    std::tm local{};
    char rest = '\0';
    const std::string whole(text);
    const int read =
        std::sscanf(whole.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &local.tm_year, &local.tm_mon,
                    &local.tm_mday, &local.tm_hour, &local.tm_min, &local.tm_sec, &rest);
    const bool day = read == 3 && whole.size() == 10;
    if (read != 6 && !day) {
        return std::nullopt;
    }
    const bool fits = local.tm_mon >= 1 && local.tm_mon <= 12 && local.tm_mday >= 1 &&
                      local.tm_mday <= 31 && local.tm_hour <= 23 && local.tm_min <= 59 &&
                      local.tm_sec <= 60 && local.tm_hour >= 0 && local.tm_min >= 0 &&
                      local.tm_sec >= 0;
    if (!fits) {
        return std::nullopt;
    }
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    return ofLocal(local);
}

std::string localTimeText(const SweepTime& time) {
    const std::tm fields = localFields(time);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", fields.tm_year + 1900,
                  fields.tm_mon + 1, fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec);
    return text;
}

std::string isoTimeText(const SweepTime& time) {
    std::string text = localTimeText(time);
    text[10] = 'T';
    const int offset = time.offsetMinutes < 0 ? -time.offsetMinutes : time.offsetMinutes;
    char zone[32];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", time.offsetMinutes < 0 ? '-' : '+', offset / 60,
                  offset % 60);
    return text + zone;
}

std::string dayText(const SweepTime& time) {
    const std::tm fields = localFields(time);
    return std::to_string(fields.tm_mday) + " " + kMonths[static_cast<std::size_t>(fields.tm_mon)] +
           " " + std::to_string(fields.tm_year + 1900);
}

}  // namespace zm
