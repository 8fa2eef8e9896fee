// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/display_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zm {
namespace {

struct PatternCase {
    const char* name;
    double value;
    const char* pattern;
    const char* expected;
};

void PrintTo(const PatternCase& row, std::ostream* out) {
    *out << row.name;
}

class FormatPatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(FormatPatternTest, Shows) {
    EXPECT_EQ(formatPattern(GetParam().value, GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Readout, FormatPatternTest,
    ::testing::Values(PatternCase{"ZeroShowsPointZero", 0.0, "####.0", ".0"},
                      PatternCase{"IntegerPartZeroLeftOut", 0.5, "###.0", ".5"},
                      PatternCase{"RoundsToOneDecimal", 1234.56, "####.0", "1234.6"},
                      PatternCase{"HashCountDoesNotLimitDigits", 12345.6, "####.0", "12345.6"},
                      PatternCase{"NegativeKeepsSign", -30.0, "###.0", "-30.0"},
                      PatternCase{"TwoDecimalsPadded", 1.0, "#.00", "1.00"},
                      PatternCase{"TwoDecimalsOfHalf", 0.5, "#.00", ".50"},
                      PatternCase{"TwoDecimalsBelowOne", 0.75, "#.00", ".75"},
                      PatternCase{"ShortestTextDecidesHalf", 2.675, "#.00", "2.68"},
                      PatternCase{"HalfAwayFromZeroUp", 0.25, "###.0", ".3"},
                      PatternCase{"HalfAwayFromZeroNegative", -0.25, "###.0", "-.3"},
                      PatternCase{"ShortestTextOfOnePointFive", 1.45, "###.0", "1.5"},
                      PatternCase{"CarryIntoNewDigit", 99.96, "###.0", "100.0"},
                      PatternCase{"CarryOutOfFraction", 9.995, "#.00", "10.00"},
                      PatternCase{"NegativeRoundingToZeroHasNoSign", -0.04, "###.0", ".0"},
                      PatternCase{"TinyValueRoundsToZero", 1e-300, "#.00", ".00"},
                      PatternCase{"HugeValueAllDigits", 1e22, "###.0", "10000000000000000000000.0"},
                      PatternCase{"InfinityNamed", HUGE_VAL, "###.0", "inf"},
                      PatternCase{"NegativeInfinityNamed", -HUGE_VAL, "###.0", "-inf"},
                      PatternCase{"NotANumberNamed", std::nan(""), "###.0", "nan"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FieldCase {
    const char* name;
    std::string text;
    const char* expected;
};

void PrintTo(const FieldCase& row, std::ostream* out) {
    *out << row.name;
}

class FormatFieldTextTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FormatFieldTextTest, Shows) {
    EXPECT_EQ(formatFieldText(GetParam().text, "###.0"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Readout, FormatFieldTextTest,
                         ::testing::Values(FieldCase{"LeadingBlankDropped", " 50.0", "50.0"},
                                           FieldCase{"LeadingZeroDropped", "050.5", "50.5"},
                                           FieldCase{"NegativePhase", "-30.0", "-30.0"},
                                           FieldCase{"ZeroField", "  0.0", ".0"},
                                           FieldCase{"NonNumberUnchanged", "ab.c", "ab.c"},
                                           FieldCase{"OverrangeWordUnchanged", " OVER", " OVER"},
                                           FieldCase{"BlankInsideNumberUnchanged", "- 3 0",
                                                     "- 3 0"},
                                           FieldCase{"EmptyUnchanged", "", ""},
                                           FieldCase{"TooLargeUnchanged", "9e999", "9e999"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormatFieldText, KeepsBinaryBytesOfANonNumber) {
    const std::string text = std::string("\0\x80\xff", 3) + "1";
    EXPECT_EQ(formatFieldText(text, "###.0"), text);
}

TEST(RoundAsTwoDecimals, ReadsBackWhatTheSwrBoxShows) {
    EXPECT_DOUBLE_EQ(roundAsTwoDecimals(2.675), 2.68);
    EXPECT_DOUBLE_EQ(roundAsTwoDecimals(0.754), 0.75);
    EXPECT_DOUBLE_EQ(roundAsTwoDecimals(-1.005), -1.01);
    EXPECT_DOUBLE_EQ(roundAsTwoDecimals(1234.5678), 1234.57);
    EXPECT_EQ(roundAsTwoDecimals(HUGE_VAL), HUGE_VAL);
}

}  // namespace
}  // namespace zm
