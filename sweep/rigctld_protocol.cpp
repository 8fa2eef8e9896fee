// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/rigctld_protocol.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace zm {

namespace {

// Hamlib drives radios up to 10 GHz; a frequency ten times that is a fault, not a band.
constexpr double kMaxFrequencyMHz = 100'000.0;
constexpr double kHzPerMHz = 1'000'000.0;

// A set command's answer is two short lines; anything this long without "RPRT" is another
// program talking, and waiting longer would only fill memory.
constexpr std::size_t kMaxAnswerBytes = 4096;

constexpr std::string_view kStatusPrefix = "RPRT ";

bool allowedArgumentChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-';
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlank = " \t\r\n";
    const auto first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

std::optional<int> parseStatus(std::string_view line) {
    const std::string_view digits = line.substr(kStatusPrefix.size());
    int status = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), status);
    if (error != std::errc{} || end != digits.data() + digits.size() || status > 0) {
        return std::nullopt;
    }
    return status;
}

}  // namespace

std::string withinRigctldReplyTimeout() {
    return "within " +
           std::to_string(
               std::chrono::duration_cast<std::chrono::seconds>(kRigctldReplyTimeout).count()) +
           " s";
}

std::optional<std::int64_t> rigFrequencyHz(double frequencyMHz) {
    if (!std::isfinite(frequencyMHz) || frequencyMHz <= 0.0 || frequencyMHz > kMaxFrequencyMHz) {
        return std::nullopt;
    }
    const std::int64_t hz = std::llround(frequencyMHz * kHzPerMHz);
    if (hz < 1) {
        return std::nullopt;
    }
    return hz;
}

std::optional<std::string_view> rigctldModeName(int carrierMode) {
    switch (carrierMode) {
        case 2:
            return "CW";
        case 4:
            return "AM";
        case 9:
            return "RTTY";
        default:
            return std::nullopt;
    }
}

std::optional<std::string> formatRigctldRequest(const RigctldCommand& command,
                                                std::string_view arguments, bool vfoMode) {
    if (!command.takesArguments) {
        if (!arguments.empty()) {
            return std::nullopt;
        }
        return std::string{'+', command.letter} + (vfoMode ? " currVFO" : "") + '\n';
    }
    if (arguments.empty() || arguments.front() == ' ' || arguments.back() == ' ' ||
        arguments.find("  ") != std::string_view::npos) {
        return std::nullopt;
    }
    for (const char c : arguments) {
        if (c != ' ' && !allowedArgumentChar(c)) {
            return std::nullopt;
        }
    }
    std::string request{'+', command.letter, ' '};
    if (vfoMode && command.takesVfo) {
        request += "currVFO ";
    }
    request += arguments;
    request += '\n';
    return request;
}

std::optional<bool> parseChkVfoAnswer(std::string_view line) {
    std::string_view value = trimmed(line);
    constexpr std::string_view kOldPrefix = "CHKVFO ";
    if (value.starts_with(kOldPrefix)) {
        value.remove_prefix(kOldPrefix.size());
    }
    if (value == "0") {
        return false;
    }
    if (value == "1") {
        return true;
    }
    return std::nullopt;
}

RigctldAnswer parseRigctldAnswer(std::string_view received, std::string_view echoName) {
    using State = RigctldAnswer::State;
    std::size_t lineStart = 0;
    for (bool firstLine = true;; firstLine = false) {
        const std::size_t lineEnd = received.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            break;
        }
        std::string_view line = received.substr(lineStart, lineEnd - lineStart);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lineStart = lineEnd + 1;
        if (line.starts_with(kStatusPrefix)) {
            const auto status = parseStatus(line);
            // One request is outstanding at a time, so bytes after its status line mean the
            // stream is out of step.
            if (!status || lineStart != received.size()) {
                return {State::Malformed, kRigOk};
            }
            return {State::Complete, *status};
        }
        // rigctld echoes "set_freq: 14050000" first; it leaves the echo out only when it
        // rejects the line outright, and then answers just "RPRT -1".
        if (firstLine &&
            !(line.starts_with(echoName) && line.substr(echoName.size()).starts_with(':'))) {
            return {State::Malformed, kRigOk};
        }
    }
    if (received.size() > kMaxAnswerBytes) {
        return {State::Malformed, kRigOk};
    }
    return {State::Incomplete, kRigOk};
}

std::optional<std::string_view> rigctldAnswerValue(std::string_view answer, std::string_view key) {
    for (std::size_t lineStart = 0; lineStart < answer.size();) {
        const std::size_t lineEnd = std::min(answer.find('\n', lineStart), answer.size());
        const std::string_view line = answer.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.starts_with(key) && line.substr(key.size()).starts_with(':')) {
            return trimmed(line.substr(key.size() + 1));
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> rigctldAnswerBareValue(std::string_view answer) {
    const std::size_t echoEnd = answer.find('\n');
    const std::size_t statusStart = answer.rfind(kStatusPrefix);
    if (echoEnd == std::string_view::npos || statusStart == std::string_view::npos ||
        statusStart <= echoEnd + 1) {
        return std::nullopt;
    }
    const std::string_view between = answer.substr(echoEnd + 1, statusStart - echoEnd - 1);
    return trimmed(between.substr(between.rfind('\n', between.size() - 2) + 1));
}

std::optional<int> rigctldAntennaSocket(std::string_view answer) {
    const auto antenna = rigctldAnswerValue(answer, "AntCurr");
    constexpr std::string_view kPrefix = "ANT";
    if (!antenna || !antenna->starts_with(kPrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = antenna->substr(kPrefix.size());
    int socket = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), socket);
    if (error != std::errc{} || end != digits.data() + digits.size() || socket < 1) {
        return std::nullopt;
    }
    return socket;
}

std::string hamlibErrorText(int status) {
    static constexpr std::array<std::string_view, 21> kTexts = {
        "no error",
        "invalid parameter",
        "invalid configuration",
        "memory shortage",
        "function not implemented",
        "communication timed out",
        "input/output error",
        "internal Hamlib error",
        "protocol error",
        "command rejected by the radio",
        "argument truncated",
        "function not available",
        "VFO not targetable",
        "communication bus error",
        "communication bus collision",
        "invalid pointer",
        "invalid VFO",
        "argument out of range",
        "function deprecated",
        "security error",
        "radio is not powered on",
    };
    // Compared without negating: "RPRT -2147483648" parses, and its negation overflows.
    if (status <= 0 && status > -static_cast<int>(kTexts.size())) {
        return std::string(kTexts[static_cast<std::size_t>(-status)]);
    }
    return "Hamlib error " + std::to_string(status);
}

}  // namespace zm
