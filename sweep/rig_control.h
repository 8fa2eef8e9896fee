// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <optional>
#include <string>

namespace zm {

// The transceiver as the sweep drives it. Every call returns a status; a negative status
// is a failure, and lastError() then says what went wrong in words for the user.
class Transceiver {
public:
    virtual ~Transceiver() = default;
    virtual int SetPTT(int transmit) = 0;      // 1 transmit, 0 receive
    virtual int SetOptionA(int value) = 0;     // 0: XIT off
    virtual int SetOptionB(int value) = 0;     // 0: RIT off
    virtual int SetSplit(int split) = 0;       // 0: transmit on the receive frequency
    virtual int SetMode(int carrierMode) = 0;  // 2 CW, 4 AM, 9 FSK; 0 leaves the mode
    virtual int SetFrequency(double frequencyMHz) = 0;
    // The antenna socket the radio uses, from 1, where it says; none where it cannot or
    // does not answer, and a sweep goes on as before.
    virtual std::optional<int> antennaSocket() { return std::nullopt; }
    virtual std::string lastError() const = 0;
};

// The rig-control server's object (the program's FT100): it hands out the transceiver.
class RigServer {
public:
    virtual ~RigServer() = default;
    virtual int GetTransceiver(std::shared_ptr<Transceiver>& transceiver) = 0;
    virtual std::string lastError() const = 0;
};

// Creates a fresh server object for each sweep; empty when there is no server, with the
// reason in one sentence without a closing full stop.
class RigServerFactory {
public:
    virtual ~RigServerFactory() = default;
    virtual std::unique_ptr<RigServer> create(std::string& whyNot) = 0;
    // Whether the program runs the server itself (Setup, Station's "Start rigctld for this
    // radio"): its messages then tell nobody to start or restart it.
    virtual void setRunByProgram(bool) {}
};

}  // namespace zm
