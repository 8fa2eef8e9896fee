// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/ft817_cat.h"

#include <array>
#include <cstdio>

namespace zm::sim {
namespace {

constexpr std::size_t kCommandBytes = 5;
const std::string kDone(1, '\x00');
const std::string kNoChange(1, '\xF0');

// What the radio's status bytes hold, by Hamlib's reading of them.
constexpr std::uint8_t kTxStatusUnkeyed = 0xFF;
constexpr std::uint8_t kTxStatusSplit = 0x20;
constexpr std::uint8_t kTxStatusPowerMeter = 0x08;  // half scale
constexpr std::uint8_t kRxStatusSquelched = 0x80;   // no signal, S0
constexpr unsigned kMemoryVfo = 0x55;               // bit 0: VFO B
constexpr unsigned kMemorySplit = 0x7A;             // bit 7: split

// The settings the radio switches on and off, each with an opcode of its own.
struct OnOffCommand {
    std::uint8_t on;
    std::uint8_t off;
    bool Ft817State::*flag;
    const char* name;
};
constexpr std::uint8_t kPttOn = 0x08;
constexpr std::array<OnOffCommand, 4> kOnOffCommands{{
    {0x00, 0x80, &Ft817State::locked, "lock"},
    {kPttOn, 0x88, &Ft817State::keyed, "ptt"},
    {0x05, 0x85, &Ft817State::clarifier, "clarifier"},
    {0x02, 0x82, &Ft817State::split, "split"},
}};

std::uint8_t byteAt(const std::string& command, std::size_t index) {
    return static_cast<std::uint8_t>(command[index]);
}

// Four bytes of packed BCD, most significant first, as the radio sends frequencies in
// 10 Hz steps: 01 40 00 00 is 14.000.00 MHz.
std::int64_t fromBcd(const std::string& bytes, std::size_t first, std::size_t count) {
    std::int64_t value = 0;
    for (std::size_t i = first; i < first + count; ++i) {
        const std::uint8_t byte = byteAt(bytes, i);
        value = value * 100 + (byte >> 4) * 10 + (byte & 0x0F);
    }
    return value;
}

std::string toBcd(std::int64_t value, std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = count; i-- > 0; value /= 100) {
        bytes[i] = static_cast<char>(((value / 10) % 10) << 4 | value % 10);
    }
    return bytes;
}

std::string modeName(std::uint8_t mode) {
    static constexpr std::array<std::pair<std::uint8_t, const char*>, 9> kNames{{
        {0x00, "LSB"},
        {0x01, "USB"},
        {0x02, "CW"},
        {0x03, "CWR"},
        {0x04, "AM"},
        {0x08, "FM"},
        {0x88, "FM-N"},
        {0x0A, "DIG"},
        {0x0C, "PKT"},
    }};
    for (const auto& [code, name] : kNames) {
        if (code == mode) {
            return name;
        }
    }
    return {};
}

}  // namespace

std::string hexBytes(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X",
                      static_cast<unsigned>(static_cast<std::uint8_t>(byte)));
        text += (text.empty() ? "" : " ") + std::string(hex);
    }
    return text;
}

std::string describe(const Ft817State& state) {
    const auto onOff = [](bool on) { return on ? std::string(" on") : std::string(" off"); };
    const auto vfo = [](const Ft817Vfo& v) {
        return std::to_string(v.frequencyHz) + " " + modeName(v.mode);
    };
    return "vfo a " + vfo(state.vfoA) + ", vfo b " + vfo(state.vfoB) + ", on " +
           (state.onVfoB ? "b" : "a") + ", ptt" + onOff(state.keyed) + ", clarifier" +
           onOff(state.clarifier) + " " + std::to_string(state.clarifierOffsetHz) + ", split" +
           onOff(state.split) + ", lock" + onOff(state.locked) +
           (state.powered ? "" : ", switched off");
}

std::vector<Ft817Exchange> Ft817Cat::receive(std::string_view bytes) {
    m_pending += bytes;
    std::vector<Ft817Exchange> exchanges;
    std::size_t used = 0;
    for (; m_pending.size() - used >= kCommandBytes; used += kCommandBytes) {
        exchanges.push_back(execute(m_pending.substr(used, kCommandBytes)));
    }
    m_pending.erase(0, used);
    return exchanges;
}

Ft817Exchange Ft817Cat::execute(const std::string& command) {
    Ft817Exchange exchange{command, {}, {}};
    std::string& words = exchange.words;
    std::string& answer = exchange.answer;
    const std::uint8_t opcode = byteAt(command, 4);
    if (!m_state.powered) {
        // Switched off, it hears only the power-on that follows the wake-up bytes.
        m_state.powered = opcode == 0x0F;
        words = m_state.powered ? "power on" : "ignored (switched off)";
        return exchange;
    }
    for (const OnOffCommand& onOff : kOnOffCommands) {
        if (opcode == onOff.on || opcode == onOff.off) {
            answer = setFlag(m_state.*onOff.flag, opcode == onOff.on, onOff.name, words);
            if (opcode == kPttOn && answer == kDone) {
                words += " " + std::to_string(m_state.transmitFrequencyHz());
            }
            return exchange;
        }
    }
    Ft817Vfo& vfo = m_state.onVfoB ? m_state.vfoB : m_state.vfoA;
    switch (opcode) {
        case 0x01:
            vfo.frequencyHz = fromBcd(command, 0, 4) * 10;
            words = "frequency " + std::to_string(vfo.frequencyHz);
            answer = kDone;
            break;
        case 0x07:
            if (modeName(byteAt(command, 0)).empty()) {
                words = "mode " + hexBytes(command.substr(0, 1)) + " refused";
                answer = kNoChange;
            } else {
                vfo.mode = byteAt(command, 0);
                words = "mode " + modeName(vfo.mode);
                answer = kDone;
            }
            break;
        case 0xF5: {
            const int offsetHz = static_cast<int>(fromBcd(command, 2, 2)) * 10;
            m_state.clarifierOffsetHz = byteAt(command, 0) == 0 ? offsetHz : -offsetHz;
            words = "clarifier offset " + std::to_string(m_state.clarifierOffsetHz);
            answer = kDone;
            break;
        }
        case 0x81:
            m_state.onVfoB = !m_state.onVfoB;
            words = m_state.onVfoB ? "vfo b" : "vfo a";
            answer = kDone;
            break;
        case 0x09:
        case 0xF9:
        case 0x0A:
        case 0x0B:
        case 0x0C:
            words = "repeater or tone setting";  // accepted, not modelled
            answer = kDone;
            break;
        case 0x03:
            words = "read frequency and mode";
            answer = toBcd(vfo.frequencyHz / 10, 4) + static_cast<char>(vfo.mode);
            break;
        case 0xE7:
            words = "read receive status";
            answer = std::string(1, static_cast<char>(kRxStatusSquelched));
            break;
        case 0xF7: {
            const std::uint8_t status =
                m_state.keyed ? (m_state.split ? kTxStatusSplit : 0) | kTxStatusPowerMeter
                              : kTxStatusUnkeyed;
            words = "read transmit status";
            answer = std::string(1, static_cast<char>(status));
            break;
        }
        case 0xBD:
            // Two meter bytes while keyed; one byte in receive.
            words = "read transmit meters";
            answer = m_state.keyed ? std::string("\x58\x00", 2) : kDone;
            break;
        case 0xBB: {
            const unsigned address = byteAt(command, 0) << 8 | byteAt(command, 1);
            words = "read memory " + hexBytes(command.substr(0, 2));
            answer = readMemory(address) + readMemory(address + 1);
            break;
        }
        case 0x8F:
            m_state.powered = false;
            words = "power off";
            answer = kDone;
            break;
        default:
            words = "unknown, not answered";  // as the radio: silence
            break;
    }
    return exchange;
}

std::string Ft817Cat::pressPowerButton() {
    m_state.powered = !m_state.powered;
    return m_state.powered ? "power button: switched on" : "power button: switched off";
}

// Switches an on/off setting; the radio answers F0 when it already was in that state.
std::string Ft817Cat::setFlag(bool& flag, bool on, std::string_view name, std::string& words) {
    words = std::string(name) + (on ? " on" : " off");
    if (flag == on) {
        words += " (no change)";
        return kNoChange;
    }
    flag = on;
    return kDone;
}

// The two memory bytes the backend reads for the VFO and split; the rest of the memory
// reads as zero (band 160 m, front antenna, RTTY as the digital mode).
std::string Ft817Cat::readMemory(unsigned address) const {
    std::uint8_t value = 0;
    if (address == kMemoryVfo) {
        value = m_state.onVfoB ? 0x01 : 0x00;
    } else if (address == kMemorySplit) {
        value = m_state.split ? 0x80 : 0x00;
    }
    return std::string(1, static_cast<char>(value));
}

}  // namespace zm::sim
