// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/touchstone.h"

#include <array>
#include <cctype>
#include <cmath>
#include <optional>

#include "numbers/number_text.h"
#include "results/impedance.h"
#include "results/memory_file.h"
#include "sweep/carrier_mode.h"

namespace zm {

namespace {

// Far above any band a radio or analyser covers, and well inside 64-bit whole Hz.
constexpr double kHighestFrequencyHz = 1e15;
// Finer than any analyser resolves: 1e-9 of Gamma is a millionth of an ohm near 50 ohm.
constexpr int kGammaDecimals = 9;
constexpr std::string_view kPlaneComment = "! plane:";
constexpr std::string_view kAntennaComment = "! antenna:";

enum class Parameter { S, Y, Z };
enum class Format { RI, MA, DB };

struct Options {
    double hzPerUnit = 1e9;
    Parameter parameter = Parameter::S;
    Format format = Format::MA;
    double referenceOhms = 50.0;
};

std::string upper(std::string_view word) {
    std::string text(word);
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::optional<FileError> readOptions(std::string_view line, int lineNumber, Options& options) {
    const std::vector<std::string_view> tokens = words(line.substr(1));
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string token = upper(tokens[i]);
        constexpr std::array<std::pair<std::string_view, double>, 4> kUnits{
            {{"HZ", 1.0}, {"KHZ", 1e3}, {"MHZ", 1e6}, {"GHZ", 1e9}}};
        bool known = false;
        for (const auto& [name, hz] : kUnits) {
            if (token == name) {
                options.hzPerUnit = hz;
                known = true;
            }
        }
        if (known) {
            continue;
        }
        if (token == "S" || token == "Y" || token == "Z") {
            options.parameter = token == "S"   ? Parameter::S
                                : token == "Y" ? Parameter::Y
                                               : Parameter::Z;
        } else if (token == "H" || token == "G") {
            return FileError{lineNumber, token +
                                             " parameters describe two ports; a one-port "
                                             "file holds S, Y or Z"};
        } else if (token == "RI" || token == "MA" || token == "DB") {
            options.format = token == "RI" ? Format::RI : token == "MA" ? Format::MA : Format::DB;
        } else if (token == "R") {
            const auto ohms = i + 1 < tokens.size() ? readDecimal(tokens[i + 1]) : std::nullopt;
            if (!ohms || !(*ohms > 0.0) || !std::isfinite(*ohms)) {
                return FileError{lineNumber, "R must be followed by a resistance above 0 ohm"};
            }
            options.referenceOhms = *ohms;
            ++i;
        } else {
            return FileError{lineNumber, "the option line holds \"" + std::string(tokens[i]) +
                                             "\", which is no unit, parameter, format or R"};
        }
    }
    return std::nullopt;
}

std::complex<double> complexOf(double first, double second, Format format) {
    switch (format) {
        case Format::RI:
            return {first, second};
        case Format::MA:
            return impedanceFromPolar(first, second);
        case Format::DB:
            return impedanceFromPolar(std::pow(10.0, first / 20.0), second);
    }
    return {};
}

// The impedance a parameter stands for; none when it is infinite.
std::optional<std::complex<double>> impedanceOf(std::complex<double> value,
                                                const Options& options) {
    std::optional<std::complex<double>> z;
    switch (options.parameter) {
        case Parameter::S:
            z = impedanceFromReflection(value, options.referenceOhms);
            break;
        case Parameter::Z:  // normalised to R
            z = value * options.referenceOhms;
            break;
        case Parameter::Y:
            if (value != 0.0) {
                z = options.referenceOhms / value;
            }
            break;
    }
    if (z && !(std::isfinite(z->real()) && std::isfinite(z->imag()))) {
        return std::nullopt;
    }
    return z;
}

std::variant<SweepPoint, FileError> readDataLine(std::string_view line, int lineNumber,
                                                 const Options& options, std::int64_t previousHz) {
    const std::vector<std::string_view> tokens = words(line);
    if (tokens.size() != 3) {
        return FileError{lineNumber,
                         "a one-port file has a frequency and two numbers a line, "
                         "not " +
                             std::to_string(tokens.size()) + " numbers"};
    }
    std::array<double, 3> numbers{};
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto value = readDecimal(tokens[i]);
        if (!value || !std::isfinite(*value)) {
            return FileError{lineNumber, "\"" + std::string(tokens[i]) + "\" is not a number"};
        }
        numbers[i] = *value;
    }
    const double hz = numbers[0] * options.hzPerUnit;
    if (!(hz >= 0.0 && hz <= kHighestFrequencyHz)) {
        return FileError{lineNumber, "the frequency " + std::string(tokens[0]) +
                                         " is below 0 or beyond any band"};
    }
    if (options.format == Format::MA && numbers[1] < 0.0) {
        return FileError{lineNumber, "the magnitude " + std::string(tokens[1]) + " is below 0"};
    }
    SweepPoint point{std::llround(hz), std::nullopt};
    if (point.frequencyHz <= previousHz) {
        return FileError{lineNumber, "the frequency " + std::string(tokens[0]) +
                                         " does not rise above the line before"};
    }
    const auto z = impedanceOf(complexOf(numbers[1], numbers[2], options.format), options);
    if (z) {
        const double rho = std::abs(reflectionCoefficient(*z));
        point.reading =
            PointReading{std::nullopt, std::abs(*z), phaseDegreesOf(*z), swrFromRho(rho)};
    }
    return point;
}

}  // namespace

std::string writeTouchstone(const SweepRecord& record) {
    const SweepNotes& notes = record.notes;
    std::string text = "! ZM-480 Plot sweep taken " + notes.takenAt + "\n";
    text += "! start " + generalNumber(notes.startMHz) + " MHz, stop " +
            generalNumber(notes.stopMHz) + " MHz, step " + generalNumber(notes.stepMHz * 1000.0) +
            " kHz, carrier mode " + carrierModeName(notes.carrierMode) + "\n";
    text += "! S11 from the meter's Z and phase, measured at transmit power\n";
    text += std::string(kPlaneComment) + " " + planeNote(record) + "\n";
    if (!notes.antenna.empty()) {
        text += std::string(kAntennaComment) + " " + cleanMemoryName(notes.antenna) + "\n";
    }
    text += "# Hz S RI R 50\n";
    for (const SweepPoint& point : record.points) {
        const std::string hz = std::to_string(point.frequencyHz);
        if (!point.reading) {
            text += "! " + hz + " Hz: " +
                    (point.skipped ? std::string(skipReasonField(*point.skipped))
                                   : std::string("no reading")) +
                    "\n";
            continue;
        }
        const std::complex<double> gamma = reflectionCoefficient(point.reading->impedance());
        // A meter field that read -50 ohm reflects without bound: no line could say so.
        if (!std::isfinite(gamma.real()) || !std::isfinite(gamma.imag())) {
            text += "! " + hz + " Hz: no finite S11\n";
            continue;
        }
        text += hz + " " + fixedNumber(gamma.real(), kGammaDecimals) + " " +
                fixedNumber(gamma.imag(), kGammaDecimals) + "\n";
    }
    return text;
}

std::variant<SweepRecord, FileError> readTouchstone(std::string_view text) {
    SweepRecord record;
    Options options;
    bool optionsRead = false;
    int lineNumber = 0;
    for (const std::string_view rawLine : textLines(text)) {
        ++lineNumber;
        if (const std::string_view comment = trimmed(rawLine); comment.starts_with(kPlaneComment)) {
            readPlaneNote(comment.substr(kPlaneComment.size()), record);
        } else if (comment.starts_with(kAntennaComment)) {
            record.notes.antenna = std::string(trimmed(comment.substr(kAntennaComment.size())));
        }
        const std::string_view line = trimmed(rawLine.substr(0, rawLine.find('!')));
        if (line.empty()) {
            continue;
        }
        if (line.front() == '#') {
            // Only the first option line counts; Touchstone ignores any later one.
            if (!optionsRead) {
                if (auto error = readOptions(line, lineNumber, options)) {
                    return *error;
                }
                optionsRead = true;
            }
            continue;
        }
        if (line.front() == '[') {
            return FileError{lineNumber,
                             "Touchstone 2 keywords are not read: save the file as "
                             "Touchstone 1 (.s1p)"};
        }
        const std::int64_t previousHz = record.empty() ? -1 : record.points.back().frequencyHz;
        auto point = readDataLine(line, lineNumber, options, previousHz);
        if (auto* error = std::get_if<FileError>(&point)) {
            return *error;
        }
        record.points.push_back(std::get<SweepPoint>(point));
    }
    if (record.empty()) {
        return FileError{0, "the file holds no frequency points"};
    }
    return record;
}

}  // namespace zm
