// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The text protocol of Hamlib's rigctld (4.5), as the sweep uses it. We send the extended
// form ("+"), so every answer echoes the command and ends with its status line:
//
//   client: +F 14050000
//   server: set_freq: 14050000
//           RPRT 0
//
// With rigctld started in VFO mode (-o) every command names the VFO first:
//
//   client: +M currVFO CW 0
//   server: set_mode: currVFO CW 0
//           RPRT 0
//
// rigctld reads a missing argument from the next line, so a malformed request would make it
// swallow the following command: requests are built here only from checked values.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// Statuses of the rig-control client. 0 is success; -1 to -20 are Hamlib's error codes,
// passed through from rigctld's "RPRT n" line (-1 invalid parameter, -4 not implemented,
// -5 timeout, -6 I/O error, -11 not available ...). The codes below are failures on our side
// of the socket; they lie far outside Hamlib's range so that the two never mix.
inline constexpr int kRigOk = 0;
inline constexpr int kRigRefusedArgument = -1001;   // the value cannot be sent; nothing was sent
inline constexpr int kRigTimedOut = -1002;          // no complete answer within the call's timeout
inline constexpr int kRigConnectionLost = -1003;    // the socket closed, now or in an earlier call
inline constexpr int kRigUnparsableAnswer = -1004;  // an answer not in rigctld's form
inline constexpr int kRigStillOn = -1005;  // the radio still reports on what was switched off
// RIG_ERJCTED: the radio refused. Yaesu's binary CAT refuses to switch off what is already
// off ("no change"): an FT-817 with its clarifier off answers "U RIT 0" with RPRT -9.
inline constexpr int kHamlibRejected = -9;

// One command: the letter we send and the name rigctld echoes in its answer. Set commands
// take arguments; the questions answer in "Key: value" lines, or get_func in a bare one:
//
//   client: +s                     client: +u XIT
//   server: get_split_vfo:         server: get_func: XIT
//           Split: 1                       1
//           TX VFO: VFOB                   RPRT 0
//           RPRT 0
struct RigctldCommand {
    char letter;
    std::string_view echoName;
    bool takesArguments = true;
    bool takesVfo = true;  // in VFO mode "currVFO" goes before the arguments
};
inline constexpr RigctldCommand kRigSetFrequency{'F', "set_freq"};
inline constexpr RigctldCommand kRigSetMode{'M', "set_mode"};
inline constexpr RigctldCommand kRigSetPtt{'T', "set_ptt"};
// "U XIT 0" and "U RIT 0" switch the function off on every backend; "Z 0" and "J 0" only
// set the offset, and the Kenwood backend switches RIT on for "J 0".
inline constexpr RigctldCommand kRigSetFunction{'U', "set_func"};
inline constexpr RigctldCommand kRigSetSplit{'S', "set_split_vfo"};
inline constexpr RigctldCommand kRigGetSplit{'s', "get_split_vfo", false};
inline constexpr RigctldCommand kRigGetFunction{'u', "get_func"};
// "y 0" asks for the antenna in use: "AntCurr: ANT2" (the dummy rig says ANT_NONE until one
// is set). rigctld 4.5 puts in the VFO itself, even in VFO mode, and refuses "y currVFO 0".
inline constexpr RigctldCommand kRigGetAntenna{'y', "get_ant", true, false};

// How long any client of ours waits for one answer. The dummy rig answers in 20 to 50 ms and
// real radios within a few hundred.
inline constexpr std::chrono::milliseconds kRigctldReplyTimeout{2000};
// "within 2 s", for the messages about an answer that did not come.
std::string withinRigctldReplyTimeout();

// Asked once after connecting, in the plain form: rigctld answers "0\n", or "1\n" in VFO mode.
inline constexpr std::string_view kRigctldChkVfoRequest = "\\chk_vfo\n";

// Whole hertz, rounded to nearest; empty for NaN, infinity, zero, negative or absurdly high
// frequencies, none of which a radio can be tuned to.
std::optional<std::int64_t> rigFrequencyHz(double frequencyMHz);

// Hamlib's mode name for the sweep's carrier-mode code: 2 "CW", 4 "AM", 9 "RTTY" (FSK).
// Empty for every other code, 0 included.
std::optional<std::string_view> rigctldModeName(int carrierMode);

// The request line, newline included, e.g. "+F currVFO 14050000\n" or "+s\n". Empty when
// the arguments are empty for a command that takes some (or given to one that takes none),
// or hold anything but letters, digits, '.', '-' and single spaces.
std::optional<std::string> formatRigctldRequest(const RigctldCommand& command,
                                                std::string_view arguments, bool vfoMode);

// The answer to \chk_vfo: true in VFO mode. Accepts "1" and the older "CHKVFO 1".
std::optional<bool> parseChkVfoAnswer(std::string_view line);

// What the bytes received so far say about the answer to one command.
struct RigctldAnswer {
    enum class State { Incomplete, Complete, Malformed };
    State state = State::Incomplete;
    int status = kRigOk;  // the RPRT code, when Complete
};
RigctldAnswer parseRigctldAnswer(std::string_view received, std::string_view echoName);

// The value of one "Key: value" line of a complete answer: "1" for "Split" in the answer
// above. Empty when no line has that key.
std::optional<std::string_view> rigctldAnswerValue(std::string_view answer, std::string_view key);

// The value line of an answer without a key, get_func's: "1" for "get_func: XIT\n1\nRPRT 0\n".
// Empty when the answer has no line between its echo and its status.
std::optional<std::string_view> rigctldAnswerBareValue(std::string_view answer);

// The socket of get_ant's "AntCurr: ANT2", 2; none for ANT_NONE, ANT_UNKNOWN, or an answer
// without that line.
std::optional<int> rigctldAntennaSocket(std::string_view answer);

// Hamlib's error code in words, e.g. -1 "invalid parameter".
std::string hamlibErrorText(int status);

}  // namespace zm
