// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/output_name.h"

#include <array>

#include "numbers/number_text.h"

namespace zm {

namespace {

struct Ending {
    std::string_view text;
    SweepFileKind kind;
};
constexpr std::array<Ending, 2> kEndings{
    {{".csv", SweepFileKind::Csv}, {".s1p", SweepFileKind::Touchstone}}};

// The ending of the name's last part, when it is one of ours.
const Ending* endingOf(std::string_view name) {
    const std::string_view base = name.substr(name.find_last_of('/') + 1);
    for (const Ending& ending : kEndings) {
        if (base.size() >= ending.text.size() &&
            equalsIgnoringCase(base.substr(base.size() - ending.text.size()), ending.text)) {
            return &ending;
        }
    }
    return nullptr;
}

// A band's name from the user's own bands.ini may hold "/" or anything else a band plan
// allows: in a file name it stays letters, digits, ".", "-" and "_".
std::string fileNamePart(std::string_view bandName) {
    std::string part(bandName);
    for (char& c : part) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        c = plain ? c : '_';
    }
    return part;
}

}  // namespace

std::optional<SweepOutput> readOutputName(std::string_view name, std::string& whyNot) {
    if (name == SweepOutput::kStandardOutput) {
        return SweepOutput{};
    }
    const Ending* ending = endingOf(name);
    if (!ending) {
        whyNot = "\"" + std::string(name) +
                 "\": the name must end in .csv (CSV) or .s1p (Touchstone), or be - for CSV "
                 "on standard output";
        return std::nullopt;
    }
    if (name.size() == ending->text.size() || name[name.size() - ending->text.size() - 1] == '/') {
        whyNot = "\"" + std::string(name) +
                 "\" is only an ending: put a name before it, e.g. sweep" +
                 std::string(ending->text);
        return std::nullopt;
    }
    return SweepOutput{std::string(name), ending->kind};
}

SweepOutput outputForBand(const SweepOutput& output, std::string_view bandName,
                          std::size_t bandCount) {
    if (bandCount < 2 || output.toStandardOutput()) {
        return output;
    }
    const Ending* ending = endingOf(output.path);
    const std::size_t endingAt = output.path.size() - (ending ? ending->text.size() : 0);
    SweepOutput band = output;
    band.path.insert(endingAt, "-" + fileNamePart(bandName));
    return band;
}

}  // namespace zm
