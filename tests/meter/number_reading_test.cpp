// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zm {
namespace {

struct LeadingCase {
    const char* name;
    std::string text;
    double expected;
};

void PrintTo(const LeadingCase& row, std::ostream* out) {
    *out << row.name;
}

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, Reads) {
    EXPECT_DOUBLE_EQ(leadingNumber(GetParam().text), GetParam().expected)
        << "text: \"" << GetParam().text << "\"";
}

const LeadingCase kLeadingCases[] = {
    LeadingCase{"PlainDecimal", "50.0", 50.0},
    LeadingCase{"MeterFieldWithLeadingBlank", " 50.0", 50.0},
    LeadingCase{"NegativePhase", "-30.0", -30.0},
    LeadingCase{"BlanksInsideNumberSkipped", "- 3 0", -30.0},
    LeadingCase{"TabsAndLineFeedsSkipped", "\t1\n2.\t5", 12.5},
    LeadingCase{"CarriageReturnStopsReading", "12\r5", 12.0},
    LeadingCase{"ExplicitPlus", "+7.5", 7.5},
    LeadingCase{"LeadingZeros", "050.5", 50.5},
    LeadingCase{"FractionWithoutIntegerPart", ".75", 0.75},
    LeadingCase{"TrailingPoint", "5.", 5.0},
    LeadingCase{"StopsAtUnit", "50 ohm", 50.0},
    LeadingCase{"StopsAtSecondPoint", "1.2.3", 1.2},
    LeadingCase{"Exponent", "1.5e3", 1500.0},
    LeadingCase{"NegativeExponent", "25E-2", 0.25},
    LeadingCase{"BlanksInsideExponent", "1 e - 2", 0.01},
    LeadingCase{"ExponentWithoutDigitsIgnored", "7e", 7.0},
    LeadingCase{"ExponentSignWithoutDigitsIgnored", "7e+x", 7.0},
    LeadingCase{"LetterFirstReadsZero", "ab.c", 0.0},
    LeadingCase{"EmptyReadsZero", "", 0.0},
    LeadingCase{"SignAloneReadsZero", "-", 0.0},
    LeadingCase{"DoubleSignReadsZero", "--5", 0.0},
    LeadingCase{"ExponentAloneReadsZero", "e5", 0.0},
    LeadingCase{"NulStopsReading", std::string("4\0002", 3), 4.0},
    LeadingCase{"HighBytesReadZero", std::string("\x80\xff") + "12", 0.0},
    LeadingCase{"TinyUnderflowsToZero", "1e-400", 0.0},
    LeadingCase{"LongFractionUnderflowDecidedBySize", "0." + std::string(400, '0') + "1e50", 0.0},
    LeadingCase{"HugeIntegerMantissaWithNegativeExponent", "1" + std::string(400, '0') + "e-398",
                100.0},
};

INSTANTIATE_TEST_SUITE_P(Rules, LeadingNumberTest, ::testing::ValuesIn(kLeadingCases),
                         [](const auto& info) { return std::string(info.param.name); });

class TypedNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(TypedNumberTest, ReadsUpToTheFirstBlankAfterTheNumberBegins) {
    EXPECT_DOUBLE_EQ(leadingTypedNumber(GetParam().text), GetParam().expected)
        << "text: \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Boxes, TypedNumberTest,
                         ::testing::Values(LeadingCase{"LeadingBlanksSkipped", " \t14.2", 14.2},
                                           LeadingCase{"BlankEndsTheNumber", "14 5", 14.0},
                                           LeadingCase{"BlankBeforeTheFraction", "14 .2", 14.0},
                                           LeadingCase{"BlankAfterTheSign", "- 5", 0.0},
                                           LeadingCase{"BlankInsideTheExponent", "1e 5", 1.0},
                                           LeadingCase{"UnitAfterABlank", "7.1 MHz", 7.1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingNumber, NumberTooLargeIsInfinityWithItsSign) {
    EXPECT_EQ(leadingNumber("1e999"), HUGE_VAL);
    EXPECT_EQ(leadingNumber("-1e999"), -HUGE_VAL);
    EXPECT_EQ(leadingNumber("1" + std::string(400, '0')), HUGE_VAL);
    EXPECT_EQ(leadingNumber("9e99999999999999999999999999"), HUGE_VAL);
}

TEST(LeadingNumber, NegativeZeroReadsAsPlainZero) {
    EXPECT_FALSE(std::signbit(leadingNumber("-0.0")));
}

TEST(LeadingNumber, ReadsOnlyInsideTheView) {
    const std::string backing = "12345";
    EXPECT_DOUBLE_EQ(leadingNumber(std::string_view(backing).substr(0, 2)), 12.0);
}

TEST(LeadingNumber, MegabyteOfBlanksAndDigitsReads) {
    EXPECT_DOUBLE_EQ(leadingNumber(std::string(1 << 20, ' ') + "3"), 3.0);
    EXPECT_EQ(leadingNumber(std::string(1 << 20, '9')), HUGE_VAL);
}

struct WholeCase {
    const char* name;
    std::string text;
    bool expected;
};

void PrintTo(const WholeCase& row, std::ostream* out) {
    *out << row.name;
}

class IsWholeNumberTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(IsWholeNumberTest, Decides) {
    EXPECT_EQ(isWholeNumber(GetParam().text), GetParam().expected)
        << "text: \"" << GetParam().text << "\"";
}

const WholeCase kWholeCases[] = {
    WholeCase{"BlankThenNumber", " 50.0", true},
    WholeCase{"LeadingZeros", "050.5", true},
    WholeCase{"NegativeNumber", "-30.0", true},
    WholeCase{"BlanksBothSides", " 7 ", true},
    WholeCase{"FractionOnly", ".5", true},
    WholeCase{"Exponent", "1e3", true},
    WholeCase{"NumberThenUnit", "50 ohm", false},
    WholeCase{"Empty", "", false},
    WholeCase{"BlanksOnly", " ", false},
    WholeCase{"Letters", "ab.c", false},
    WholeCase{"SignAlone", " - ", false},
    WholeCase{"BlankInsideNumber", "- 3 0", false},
    WholeCase{"TwoPoints", "1.2.3", false},
    WholeCase{"ExponentWithoutDigits", "1e", false},
    WholeCase{"EmbeddedNul", std::string("5\0000", 3), false},
};

INSTANTIATE_TEST_SUITE_P(Rules, IsWholeNumberTest, ::testing::ValuesIn(kWholeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
