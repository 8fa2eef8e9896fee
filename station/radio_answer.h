// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// What the Test in Setup, Station asks rigctld, one request at a time, and what a radio
// answers (an IC-7300 behind rigctld -m 3073):
//
//   client: +f                      client: +m                  client: \dump_state
//   server: get_freq:               server: get_mode:           server: 1      (protocol)
//           Frequency: 14074000             Mode: USB                   3073   (the model)
//           RPRT 0                          Passband: 3000              ...
//                                           RPRT 0
inline constexpr std::string_view kTestFrequencyRequest = "+f\n";
inline constexpr std::string_view kTestModeRequest = "+m\n";
inline constexpr std::string_view kTestModelRequest = "\\dump_state\n";

// "IC-7300 answers: 14.074000 MHz, USB".
std::string radioAnswerText(std::string_view modelName, std::int64_t frequencyHz,
                            std::string_view mode);

// The model number of \dump_state's second line, once two lines have come; 0 before, -1
// when it is no number.
int dumpStateModel(std::string_view received);

// What to check when the radio does not answer rigctld.
inline constexpr std::string_view kRadioSilent =
    "The radio does not answer rigctld: check that it is switched on, that its CAT cable is "
    "plugged in, and that the baud rate and CI-V address in Setup, Station match the radio's "
    "own menu";

// Whether rigctld's status for a question to the radio says that no answer came from it:
// -5 timed out, -6 input/output error, -20 not powered on. Any other status came from a
// radio that answered, or from a backend that cannot tell.
bool radioSilentStatus(int status);

// A message and rigctld's last lines: "... rigctld's last words: serial_open: Unable to open
// /dev/ttyUSB9 - No such file or directory".
std::string withLastWords(std::string message, const std::vector<std::string>& lastWords);

}  // namespace zm
