// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/radio_answer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace zm {

std::string radioAnswerText(std::string_view modelName, std::int64_t frequencyHz,
                            std::string_view mode) {
    constexpr std::int64_t kHzPerMHz = 1000000;
    char frequency[32];
    std::snprintf(frequency, sizeof frequency, "%lld.%06lld",
                  static_cast<long long>(frequencyHz / kHzPerMHz),
                  static_cast<long long>(frequencyHz % kHzPerMHz));
    return std::string(modelName) + " answers: " + frequency + " MHz, " + std::string(mode);
}

int dumpStateModel(std::string_view received) {
    const auto firstEnd = received.find('\n');
    const auto secondEnd = firstEnd == std::string_view::npos ? std::string_view::npos
                                                              : received.find('\n', firstEnd + 1);
    if (secondEnd == std::string_view::npos) {
        return 0;
    }
    int model = 0;
    const char* first = received.data() + firstEnd + 1;
    const char* last = received.data() + secondEnd;
    const auto [end, error] = std::from_chars(first, last, model);
    return error == std::errc{} && end == last && model > 0 ? model : -1;
}

bool radioSilentStatus(int status) {
    constexpr int kTimedOut = -5;
    constexpr int kInputOutput = -6;
    constexpr int kNotPoweredOn = -20;
    return status == kTimedOut || status == kInputOutput || status == kNotPoweredOn;
}

std::string withLastWords(std::string message, const std::vector<std::string>& lastWords) {
    if (lastWords.empty()) {
        return message;
    }
    message += ". rigctld's last words:";
    for (const std::string& line : lastWords) {
        message += "\n" + line;
    }
    return message;
}

}  // namespace zm
