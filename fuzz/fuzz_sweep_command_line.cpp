// SPDX-License-Identifier: GPL-3.0-or-later
// Any words as zm480-sweep's arguments, one a "|"-separated part. Either a refusal in one
// line, or a command line whose sweep can be planned: a span inside the point counter, start
// not above stop, a count of points a band may have, bands by name.

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "cli/sweep_command_line.h"
#include "fuzz/fuzz_check.h"
#include "station/station_file.h"
#include "sweep/sweep_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zm::fuzz::require;
    const std::string_view text = zm::fuzz::asText(data, size);
    std::vector<std::string> words;
    for (const std::string_view part : zm::fuzz::splitAtBars(text)) {
        words.emplace_back(part);  // a NUL inside a part ends that argument, as in argv
    }
    std::vector<const char*> arguments;
    for (const std::string& word : words) {
        arguments.push_back(word.c_str());
    }
    const auto parsed = zm::parseSweepCommandLine(arguments);
    if (const auto* refusal = std::get_if<zm::UsageError>(&parsed)) {
        require(!refusal->why.empty(), "a refusal says why", text);
        return 0;
    }
    const zm::SweepCommandLine& line = std::get<zm::SweepCommandLine>(parsed);
    if (line.action != zm::SweepCommandLine::Action::Sweep) {
        return 0;
    }
    require(line.bands.empty() != !line.span.has_value(), "bands or a span, one of them", text);
    if (line.span) {
        const zm::FrequencySpan& span = *line.span;
        require(std::isfinite(span.startMHz) && std::isfinite(span.stopMHz) &&
                    std::isfinite(span.stepMHz) && span.startMHz <= span.stopMHz,
                "a span of finite frequencies, start first", text);
        require(zm::pointCountFor(span.startMHz, span.stopMHz, span.stepMHz).has_value(),
                "the span fits the point counter", text);
    }
    for (const std::string& band : line.bands) {
        require(!band.empty(), "every band has a name", text);
    }
    if (line.pointsPerBand) {
        require(*line.pointsPerBand >= zm::BandsSettings::kFewestPoints &&
                    *line.pointsPerBand <= zm::BandsSettings::kMostPoints,
                "a band's points within what a band may have", text);
    }
    return 0;
}
