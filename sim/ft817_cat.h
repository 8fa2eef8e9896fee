// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zm::sim {

// One VFO of the radio: its frequency and its mode byte as the radio reports it
// (0x00 LSB, 0x01 USB, 0x02 CW, 0x03 CWR, 0x04 AM, 0x08 FM, 0x88 FM narrow, 0x0A DIG,
// 0x0C PKT).
struct Ft817Vfo {
    std::int64_t frequencyHz = 14'000'000;
    std::uint8_t mode = 0x02;
};

struct Ft817State {
    Ft817Vfo vfoA;
    Ft817Vfo vfoB{7'100'000, 0x01};
    bool onVfoB = false;
    bool keyed = false;
    bool clarifier = false;     // moves the receive frequency only
    int clarifierOffsetHz = 0;  // -9990 to +9990
    bool split = false;         // receive on this VFO, transmit on the other
    bool locked = false;        // the front panel's dial lock
    bool powered = true;        // switched off, the radio answers nothing but power-on

    const Ft817Vfo& current() const { return onVfoB ? vfoB : vfoA; }
    std::int64_t transmitFrequencyHz() const {
        return split ? (onVfoB ? vfoA : vfoB).frequencyHz : current().frequencyHz;
    }
};

// What happened to one five-byte command: the bytes, the radio's answer (empty: none)
// and the command in words, e.g.
//   command 00 00 00 00 85, answer F0, words "clarifier off (no change)"
//   command 00 00 00 00 08, answer 00, words "ptt on 14000000"
struct Ft817Exchange {
    std::string command;
    std::string answer;
    std::string words;
};

// The CAT side of a Yaesu FT-817 (also FT-818): five-byte commands, four parameter bytes
// then the opcode. Set commands answer one byte, 00 when done and F0 when the radio is
// already in that state ("no change"), which Hamlib reports as RPRT -9. Reads answer as
// the radio does:
//   00 00 00 00 03 (frequency and mode)  ->  01 40 00 00 02   (14.000.00 MHz in 10 Hz, CW)
//   00 00 00 00 F7 (transmit status)     ->  FF unkeyed; keyed: bit 7 clear, bit 5 split
//   00 54 00 00 BB (memory 0x54, 0x55)   ->  two bytes; 0x55 bit 0 VFO B, 0x7A bit 7 split
// Plain C++, no port: bytes in, answers and state out.
class Ft817Cat {
public:
    explicit Ft817Cat(Ft817State start = {}) : m_state(start) {}

    // Takes bytes from the CAT port, also a command cut across two reads; one exchange
    // for every complete command among them.
    std::vector<Ft817Exchange> receive(std::string_view bytes);

    const Ft817State& state() const { return m_state; }

    // The front panel's power button, which needs no CAT: "power button: switched on".
    std::string pressPowerButton();

private:
    Ft817Exchange execute(const std::string& command);
    std::string setFlag(bool& flag, bool on, std::string_view name, std::string& words);
    std::string readMemory(unsigned address) const;

    Ft817State m_state;
    std::string m_pending;
};

// The state in one line: "vfo a 14005000 CW, vfo b 7100000 USB, on a, ptt off,
// clarifier off 0, split off, lock off" (", switched off" at the end when it is).
std::string describe(const Ft817State& state);

// "01 40 00 00 02": bytes as the radio's manual writes them.
std::string hexBytes(std::string_view bytes);

}  // namespace zm::sim
