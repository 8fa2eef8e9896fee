// SPDX-License-Identifier: GPL-3.0-or-later
// The emulated FT-817 against the bytes Hamlib's FT-817 backend sends and expects back.

#include <gtest/gtest.h>

#include "sim/ft817_cat.h"

namespace zm::sim {
namespace {

std::string fromHex(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3) {
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    }
    return bytes;
}

// The radio as the user left it: "" as it starts by default, or any of "clarifier",
// "split", "on b" and "switched off".
Ft817State startState(std::string_view settings) {
    Ft817State state;
    state.clarifier = settings.find("clarifier") != std::string_view::npos;
    state.split = settings.find("split") != std::string_view::npos;
    state.onVfoB = settings.find("on b") != std::string_view::npos;
    state.powered = settings.find("switched off") == std::string_view::npos;
    return state;
}

struct CatCase {
    const char* name;
    const char* start;
    const char* commands;  // one or more five-byte commands
    const char* answers;   // all the answers, in order; "" for none
    const char* wordsPart;
};
void PrintTo(const CatCase& row, std::ostream* out) {
    *out << row.name;
}

class Ft817CatTest : public ::testing::TestWithParam<CatCase> {};

TEST_P(Ft817CatTest, AnswersAsTheRadio) {
    const CatCase& row = GetParam();
    Ft817Cat radio(startState(row.start));
    std::string answers;
    std::string words;
    // A byte at a time: rigctld's writes may reach the pty in any pieces.
    for (const char byte : fromHex(row.commands)) {
        for (const Ft817Exchange& exchange : radio.receive(std::string_view(&byte, 1))) {
            answers += exchange.answer;
            words += exchange.words + "; ";
        }
    }
    EXPECT_EQ(hexBytes(answers), row.answers);
    EXPECT_NE(words.find(row.wordsPart), std::string::npos) << words;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Ft817CatTest,
    ::testing::Values(
        CatCase{"ClarifierOffWhenOffIsNoChange", "", "00 00 00 00 85", "F0",
                "clarifier off (no change)"},
        CatCase{"ClarifierOffWhenOn", "clarifier", "00 00 00 00 85", "00", "clarifier off; "},
        CatCase{"NegativeClarifierOffset", "", "FF 00 01 23 F5", "00", "offset -1230"},
        CatCase{"FrequencyInBcdBothWays", "", "01 43 50 00 01 00 00 00 00 03", "00 01 43 50 00 02",
                "frequency 14350000"},
        CatCase{"KeyedInSplitSendsOnVfoB", "split", "00 00 00 00 08 00 00 00 00 F7 00 00 00 00 08",
                "00 28 F0", "ptt on 7100000"},
        CatCase{"UnkeyedStatusAndUnkeyAgain", "", "00 00 00 00 F7 00 00 00 00 88", "FF F0",
                "ptt off (no change)"},
        CatCase{"MemoryHoldsVfoAndSplit", "on b, split", "00 54 00 00 BB 00 7A 00 00 BB",
                "00 01 80 00", "read memory 00 7A"},
        CatCase{"SwitchedOffHearsOnlyPowerOn", "switched off",
                "00 00 00 00 03 00 00 00 00 0F 00 00 00 00 03", "01 40 00 00 02", "power on"},
        CatCase{"UnknownCommandIsNotAnswered", "", "00 00 00 00 42", "", "unknown"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::sim
