// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/meter_answer.h"

#include <array>
#include <utility>

namespace zm::sim {
namespace {

constexpr std::chrono::milliseconds kSplitTailDelay{300};
constexpr std::size_t kFloodBytes = 1024 * 1024;

constexpr std::array<std::pair<std::string_view, Fault>, 10> kFaultNames{{
    {"none", Fault::None},
    {"silent", Fault::Silent},
    {"short", Fault::Short},
    {"long", Fault::Long},
    {"badstart", Fault::BadStart},
    {"nonnumeric", Fault::NonNumeric},
    {"split", Fault::Split},
    {"garbage", Fault::Garbage},
    {"noise", Fault::Noise},
    {"flood", Fault::Flood},
}};

// A byte pattern with NUL, control characters and the upper half, ";" nowhere.
char binaryByte(std::size_t index) {
    constexpr std::array<unsigned char, 8> kBytes{0x00, 0x80, 0xff, 0x1b, 0x0a, 0x9c, 0x7f, 0xc3};
    return static_cast<char>(kBytes[index % kBytes.size()]);
}

}  // namespace

std::optional<Fault> faultFromName(std::string_view name) {
    for (const auto& [text, fault] : kFaultNames) {
        if (text == name) {
            return fault;
        }
    }
    return std::nullopt;
}

std::vector<TimedBytes> answerFor(Fault fault, const MeterValues& values) {
    std::string record = buildMeterRecord(values);
    switch (fault) {
        case Fault::None:
            break;
        case Fault::Silent:
            return {};
        case Fault::Short:
            record.pop_back();
            break;
        case Fault::Long:
            record.push_back('\r');
            break;
        case Fault::BadStart:
            record.front() = ':';
            break;
        case Fault::NonNumeric:
            record.replace(9, 5, "-----");
            break;
        case Fault::Split: {
            const std::size_t half = record.size() / 2;
            return {{std::chrono::milliseconds{0}, record.substr(0, half)},
                    {kSplitTailDelay, record.substr(half)}};
        }
        case Fault::Garbage:
            for (std::size_t position : {8u, 14u}) {
                record[position] = binaryByte(position);
            }
            for (std::size_t position = 20; position < 39; ++position) {
                record[position] = binaryByte(position);
            }
            break;
        case Fault::Noise:
            for (std::size_t position = 0; position < record.size(); ++position) {
                record[position] = binaryByte(position);
            }
            break;
        case Fault::Flood: {
            std::string flood;
            flood.reserve(kFloodBytes);
            while (flood.size() < kFloodBytes) {
                flood.append(record, 0, kFloodBytes - flood.size());
            }
            return {{std::chrono::milliseconds{0}, std::move(flood)}};
        }
    }
    return {{std::chrono::milliseconds{0}, std::move(record)}};
}

}  // namespace zm::sim
