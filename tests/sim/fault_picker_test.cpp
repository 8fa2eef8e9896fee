// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/fault_picker.h"

#include <gtest/gtest.h>

#include <map>
#include <variant>

#include "sim/sim_options.h"

namespace zm::sim {
namespace {

std::map<Fault, int> countFaults(FaultPicker picker, int answers) {
    std::map<Fault, int> counts;
    for (int i = 0; i < answers; ++i) {
        ++counts[picker.next()];
    }
    return counts;
}

TEST(FaultPicker, FixedFaultEveryTime) {
    const auto counts = countFaults(FaultPicker(Fault::Split), 50);
    EXPECT_EQ(counts, (std::map<Fault, int>{{Fault::Split, 50}}));
}

TEST(FaultPicker, RandomMisbehavesForItsShareOnly) {
    const auto counts = countFaults(FaultPicker::random(0.2, 480), 10'000);
    EXPECT_NEAR(counts.at(Fault::None), 8'000, 200);
}

TEST(FaultPicker, RandomReachesEveryFault) {
    const auto counts = countFaults(FaultPicker::random(1.0, 480), 2'000);
    EXPECT_EQ(counts.count(Fault::None), 0u);
    for (const Fault fault :
         {Fault::Silent, Fault::Short, Fault::Long, Fault::BadStart, Fault::NonNumeric,
          Fault::Split, Fault::Garbage, Fault::Noise, Fault::Flood}) {
        EXPECT_GT(counts.count(fault) ? counts.at(fault) : 0, 150) << static_cast<int>(fault);
    }
}

TEST(FaultPicker, ShareZeroNeverMisbehaves) {
    const auto counts = countFaults(FaultPicker::random(0.0, 1), 1'000);
    EXPECT_EQ(counts, (std::map<Fault, int>{{Fault::None, 1'000}}));
}

TEST(FaultPicker, SameSeedSameFaults) {
    FaultPicker first = FaultPicker::random(0.5, 73);
    FaultPicker second = FaultPicker::random(0.5, 73);
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(first.next(), second.next()) << "answer " << i;
    }
}

struct OptionCase {
    const char* name;
    std::vector<std::string_view> args;
    const char* error;  // nullptr: accepted
};

void PrintTo(const OptionCase& row, std::ostream* out) {
    *out << row.name;
}

class FaultOptionTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(FaultOptionTest, ParsesOrSaysWhy) {
    const auto parsed = parseSimOptions(GetParam().args);
    if (GetParam().error == nullptr) {
        EXPECT_TRUE(std::holds_alternative<SimOptions>(parsed)) << std::get<std::string>(parsed);
    } else {
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
        EXPECT_NE(std::get<std::string>(parsed).find(GetParam().error), std::string::npos)
            << std::get<std::string>(parsed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, FaultOptionTest,
    ::testing::Values(
        OptionCase{"RandomWithShareAndSeed",
                   {"--fault", "random", "--fault-share", "0.3", "--seed", "42"},
                   nullptr},
        OptionCase{"ShareAboveOne", {"--fault", "random", "--fault-share", "1.5"}, "0 to 1"},
        OptionCase{"ShareNotANumber", {"--fault-share", "lots"}, "not a number"},
        OptionCase{"SeedNegative", {"--seed", "-1"}, "whole number"},
        OptionCase{"SeedFraction", {"--seed", "1.5"}, "whole number"},
        OptionCase{"SeedBeyond32Bits", {"--seed", "4294967296"}, "whole number"},
        OptionCase{"UnknownFault", {"--fault", "randomly"}, "no such fault"},
        // A cable's name may hold blanks and colons; the length is after the last.
        OptionCase{"FeedlineOfTheList", {"--feedline", "Aircell 7:20.5"}, nullptr},
        OptionCase{"FeedlineWithoutLength", {"--feedline", "RG-58"}, "CABLE:METRES"},
        OptionCase{"FeedlineOfNoLength", {"--feedline", "RG-58:0"}, "CABLE:METRES"},
        OptionCase{"ShiftDownAndDriftUp", {"--shift", "-22", "--drift", "6"}, nullptr},
        OptionCase{"ShiftNotANumber", {"--shift", "22k"}, "not a number"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FaultOptions, RandomSetsShareAndSeedAndALaterFaultWins) {
    const auto random = std::get<SimOptions>(
        parseSimOptions({"--fault", "random", "--fault-share", "0.3", "--seed", "42"}));
    EXPECT_TRUE(random.randomFaults);
    EXPECT_DOUBLE_EQ(random.faultShare, 0.3);
    EXPECT_EQ(random.seed, 42u);
    const auto fixed =
        std::get<SimOptions>(parseSimOptions({"--fault", "random", "--fault", "long"}));
    EXPECT_FALSE(fixed.randomFaults);
    EXPECT_EQ(fixed.fault, Fault::Long);
}

}  // namespace
}  // namespace zm::sim
