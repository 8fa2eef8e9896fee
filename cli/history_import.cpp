// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/history_import.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "numbers/number_text.h"
#include "results/sweep_files.h"

namespace zm {

namespace {

// A sweep file of 32,766 points is about 3 MB; anything much larger is none of ours.
constexpr std::uintmax_t kMostBytes = 16u << 20;
constexpr std::string_view kMetresOf = " m of ";

std::optional<std::string> fileText(const std::filesystem::path& file, std::string& whyNot) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error || !std::filesystem::is_regular_file(status)) {
        whyNot = error ? "it is not there" : "it is no file";
        return std::nullopt;
    }
    if (std::filesystem::file_size(file, error) > kMostBytes) {
        whyNot = "it is too large for a sweep file";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        whyNot = "it could not be read";
        return std::nullopt;
    }
    return text.str();
}

// The feedline a file names, "20 m of RG-58": the station's when it is that one, else the
// cable of the list at that length.
std::optional<Feedline> feedlineNamed(std::string_view name, const ImportPlace& place) {
    if (name.empty()) {
        return std::nullopt;
    }
    if (*place.stationFeedline && (*place.stationFeedline)->description() == name) {
        return *place.stationFeedline;
    }
    const std::size_t cut = name.find(kMetresOf);
    const auto metres =
        cut == std::string_view::npos ? std::nullopt : readDecimal(name.substr(0, cut));
    const Cable* cable =
        metres ? cableNamed(*place.cables, name.substr(cut + kMetresOf.size())) : nullptr;
    return cable && *metres > 0 ? std::optional(Feedline{*cable, *metres}) : std::nullopt;
}

SweepTime lastChangeOf(const std::filesystem::path& file) {
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0 ? sweepTimeAt(status.st_mtime) : sweepTimeNow();
}

// Its plan as its notes say; from its points for a file that does not say.
SweepPlan planOf(const SweepRecord& record) {
    const SweepNotes& notes = record.notes;
    const auto points = static_cast<std::int16_t>(
        std::min<std::size_t>(record.points.size(), static_cast<std::size_t>(kMaxPointCount)));
    if (notes.stepMHz > 0) {
        return {notes.startMHz, notes.stopMHz, notes.stepMHz, points, notes.carrierMode};
    }
    const double first = static_cast<double>(record.points.front().frequencyHz) / 1e6;
    const double last = static_cast<double>(record.points.back().frequencyHz) / 1e6;
    return {first, last, points > 1 ? (last - first) / (points - 1) : 0.0, points,
            notes.carrierMode};
}

}  // namespace

std::variant<SweepEntry, std::string> importedEntry(const std::filesystem::path& file,
                                                    const ImportPlace& place) {
    std::string whyNot;
    const auto text = fileText(file, whyNot);
    if (!text) {
        return whyNot;
    }
    auto read = readSweepFile(file.filename().string(), *text);
    if (const auto* error = std::get_if<FileError>(&read)) {
        return error->describe();
    }
    SweepEntry entry;
    entry.record = std::get<SweepRecord>(std::move(read));
    entry.antenna = place.antenna;
    entry.band = bandHolding(*place.plan, entry.record);
    entry.bandPlan = place.plan->key;
    entry.plan = planOf(entry.record);
    entry.feedline = feedlineNamed(entry.record.feedline, place);
    entry.shownPlane = entry.record.plane;
    entry.keyedPoints = static_cast<int>(
        std::count_if(entry.record.points.begin(), entry.record.points.end(),
                      [](const SweepPoint& point) { return point.reading.has_value(); }));
    entry.taken = sweepTimeOfLocalText(entry.record.notes.takenAt).value_or(lastChangeOf(file));
    std::error_code ignored;
    entry.importedFrom = std::filesystem::absolute(file, ignored).string();
    return entry;
}

}  // namespace zm
