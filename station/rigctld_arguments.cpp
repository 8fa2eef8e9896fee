// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/rigctld_arguments.h"

namespace zm {

namespace {

// CI-V addresses are one byte; 0x00 is the broadcast address and 0xE0 and up are the
// controllers' own.
constexpr int kLowestCivAddress = 0x01;
constexpr int kHighestCivAddress = 0xDF;
constexpr int kLowestBaud = 300;
constexpr int kHighestBaud = 4000000;
constexpr int kLowestTcpPort = 1024;

std::optional<std::string> pttArgument(PttMethod method) {
    switch (method) {
        case PttMethod::Rig:
        case PttMethod::Dtr:
        case PttMethod::Rts:
            return std::string(pttText(method));
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::string>> rigctldArguments(const RigSettings& rig,
                                                         std::string& whyNot) {
    const auto ptt = pttArgument(rig.ptt);
    if (rig.model <= 0) {
        whyNot = "No radio model is chosen: choose one in Setup, Station";
    } else if (rig.device.empty()) {
        whyNot = "No serial device is chosen for the radio: choose one in Setup, Station";
    } else if (rig.device.front() == '-') {
        whyNot = "The radio's device \"" + rig.device + "\" is no device path";
    } else if (rig.baud && (*rig.baud < kLowestBaud || *rig.baud > kHighestBaud)) {
        whyNot = std::to_string(*rig.baud) + " bit/s is not a serial rate for the radio";
    } else if (rig.civAddress &&
               (*rig.civAddress < kLowestCivAddress || *rig.civAddress > kHighestCivAddress)) {
        whyNot = "The CI-V address " + civAddressText(*rig.civAddress) +
                 " is not a radio's: CI-V radios use 0x01 to 0xDF";
    } else if (!ptt) {
        whyNot = "The PTT method must be RIG, DTR or RTS";
    } else if (rig.port < kLowestTcpPort) {
        whyNot = "rigctld's port " + std::to_string(rig.port) + " is not one from 1024 to 65535";
    } else {
        std::vector<std::string> arguments{"-m", std::to_string(rig.model), "-r", rig.device};
        if (rig.baud) {
            arguments.insert(arguments.end(), {"-s", std::to_string(*rig.baud)});
        }
        if (rig.civAddress) {
            arguments.insert(arguments.end(), {"-c", civAddressText(*rig.civAddress)});
        }
        arguments.insert(arguments.end(),
                         {"-P", *ptt, "-T", "127.0.0.1", "-t", std::to_string(rig.port), "-v"});
        return arguments;
    }
    return std::nullopt;
}

}  // namespace zm
