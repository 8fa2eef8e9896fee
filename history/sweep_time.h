// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// When a sweep was taken: UTC, and the offset of the local time then, so that a sweep taken in
// summer still says the hour its operator saw.
struct SweepTime {
    std::int64_t utcSeconds = 0;  // since 1970-01-01 00:00 UTC
    int offsetMinutes = 0;        // local time minus UTC: 120 for CEST

    friend bool operator==(const SweepTime&, const SweepTime&) = default;
};

// Now, and a moment given in UTC, in this machine's time zone.
SweepTime sweepTimeNow();
SweepTime sweepTimeAt(std::int64_t utcSeconds);

// A local time as the sweep files write it, "2024-05-01 14:03:22", or a day, "2024-05-01"
// (its first second), in this machine's time zone; none for anything else.
std::optional<SweepTime> sweepTimeOfLocalText(std::string_view text);

// "2024-05-01 14:03:22", the local time as the sweep's notes say it.
std::string localTimeText(const SweepTime& time);
// "2024-05-01T14:03:22+02:00": ISO 8601, for scripts.
std::string isoTimeText(const SweepTime& time);
// "1 May 2024": the day, as the drift line names a sweep.
std::string dayText(const SweepTime& time);

}  // namespace zm
