// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as what rigctld sent back after one set command, and as the arguments of a
// request. The first byte picks the command by its letter, in capitals for the plain form
// and in small letters for VFO mode ("Fset_freq: 14050000\nRPRT 0\n"); the rest is the text.
//
//   client: +F 14050000
//   server: set_freq: 14050000
//           RPRT 0
//
// An answer is complete only on its "RPRT n" line, with n not above 0; bytes after that
// line put the stream out of step; an incomplete answer never grows past 4 KiB. A request
// is always one line, whatever its arguments hold.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_check.h"
#include "sweep/rigctld_protocol.h"

namespace {

using zm::fuzz::require;
using State = zm::RigctldAnswer::State;

constexpr std::array<zm::RigctldCommand, 5> kCommands = {
    zm::kRigSetFrequency, zm::kRigSetMode, zm::kRigSetPtt, zm::kRigSetFunction, zm::kRigSetSplit};

void checkAnswer(std::string_view received, std::string_view echoName) {
    const zm::RigctldAnswer answer = zm::parseRigctldAnswer(received, echoName);
    const std::string errorText = zm::hamlibErrorText(answer.status);
    require(!errorText.empty(), "every status has words", received, errorText);

    if (answer.state == State::Complete) {
        require(answer.status <= 0, "a status is 0 or a negative code", received);
        std::string_view last = received.substr(0, received.size() - 1);
        last = last.substr(last.rfind('\n') == std::string_view::npos ? 0 : last.rfind('\n') + 1);
        if (last.ends_with('\r')) {
            last.remove_suffix(1);
        }
        const std::string digits(last.substr(std::min(last.size(), std::size_t{5})));
        char* end = nullptr;
        const long status = std::strtol(digits.c_str(), &end, 10);
        require(received.ends_with('\n') && last.starts_with("RPRT ") && !digits.empty() &&
                    end == digits.c_str() + digits.size() && status == answer.status,
                "a complete answer ends with its status line", received);
        const std::string more = std::string(received) + "RPRT 0\n";
        require(zm::parseRigctldAnswer(more, echoName).state == State::Malformed,
                "bytes after the status line are out of step", received);
    } else if (answer.state == State::Incomplete) {
        require(received.size() <= 4096, "an incomplete answer stays under 4 KiB", received);
        if (received.empty() || received.ends_with('\n')) {
            const std::string ended = std::string(received) + "RPRT -5\n";
            const zm::RigctldAnswer completed = zm::parseRigctldAnswer(ended, echoName);
            require(completed.state == State::Complete && completed.status == -5,
                    "a status line completes an incomplete answer", received);
        }
    }
}

void checkRequest(const zm::RigctldCommand& command, std::string_view arguments, bool vfoMode) {
    const std::optional<std::string> request =
        zm::formatRigctldRequest(command, arguments, vfoMode);
    if (!request) {
        return;
    }
    require(request->find('\n') == request->size() - 1, "a request is exactly one line", arguments,
            *request);
    require(request->find_first_of(std::string_view("\r\0\\", 3)) == std::string::npos,
            "a request holds no control bytes and no backslash", arguments, *request);
    const std::string head = std::string{'+', command.letter, ' '} + (vfoMode ? "currVFO " : "");
    require(
        request->starts_with(head) && request->substr(head.size()) == std::string(arguments) + "\n",
        "a request is the command, the VFO and the arguments", arguments, *request);
    require(!arguments.starts_with(' ') && !arguments.ends_with(' ') &&
                arguments.find("  ") == std::string_view::npos,
            "arguments are single words apart", arguments, *request);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const char pick = static_cast<char>(data[0]);
    const bool vfoMode = pick >= 'a' && pick <= 'z';
    const char letter = vfoMode ? static_cast<char>(pick - 'a' + 'A') : pick;
    const zm::RigctldCommand* command = &kCommands[data[0] % kCommands.size()];
    for (const zm::RigctldCommand& known : kCommands) {
        if (known.letter == letter) {
            command = &known;
        }
    }
    const std::string_view text = zm::fuzz::asText(data + 1, size - 1);

    checkAnswer(text, command->echoName);
    checkRequest(*command, text, vfoMode);

    const auto split = zm::rigctldAnswerValue(text, "Split");
    require(!split || split->find('\n') == std::string_view::npos,
            "a value is one line of the answer", text);

    const std::optional<bool> vfo = zm::parseChkVfoAnswer(text);
    require(!vfo || text.find(*vfo ? '1' : '0') != std::string_view::npos,
            "the VFO mode answer is the digit it holds", text);
    return 0;
}
