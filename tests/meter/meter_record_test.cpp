// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/meter_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "meter/display_pattern.h"

namespace zm {
namespace {

// A 43-character record from its four fields, the unread positions filled with `filler`.
std::string record(std::string_view power, std::string_view z, std::string_view phase,
                   std::string_view swr, char filler = ' ') {
    std::string text(kMeterRecordLength, filler);
    text[0] = ';';
    text.replace(1, 7, power);
    text.replace(9, 5, z);
    text.replace(15, 5, phase);
    text.replace(39, 4, swr);
    return text;
}

// What the meter sends for a 50 ohm load at -30 degrees (its own R and X in 21-39).
const std::string kWorkedExample = ";  100.0, 50.0,-30.0, R 43.3 X-25.0 SW 1.50";

TEST(MeterRecord, WorkedExampleIsAcceptedAndParsed) {
    ASSERT_EQ(kWorkedExample.size(), kMeterRecordLength);
    ASSERT_TRUE(isAcceptedResponse(kWorkedExample));
    const MeterReading reading = parseMeterRecord(kWorkedExample);
    EXPECT_DOUBLE_EQ(*reading.Power, 100.0);
    EXPECT_EQ(reading.ZText, " 50.0");
    EXPECT_DOUBLE_EQ(*reading.Z, 50.0);
    EXPECT_EQ(reading.PhaseText, "-30.0");
    EXPECT_DOUBLE_EQ(*reading.Phase, -30.0);
    EXPECT_EQ(reading.SWR.tenThousandths(), 15000);
    EXPECT_NEAR(*reading.R, 43.302, 0.0005);
    EXPECT_NEAR(*reading.X, 24.998, 0.0005);
    EXPECT_EQ(formatPattern(*reading.R, "###.0"), "43.3");
    EXPECT_EQ(formatPattern(*reading.X, "###.0"), "25.0");
    EXPECT_EQ(formatFieldText(reading.PhaseText, "###.0"), "-30.0");
}

TEST(MeterRecord, UsesFiftySevenPointThreeDegreesPerRadian) {
    const MeterReading reading = parseMeterRecord(record("  100.0", "100.0", " 90.0", "1.00"));
    EXPECT_DOUBLE_EQ(*reading.R, std::fabs(std::cos(90.0 / 57.3) * 100.0));
    EXPECT_NEAR(*reading.R / 100.0, 0.000116, 0.000002);
    EXPECT_NEAR(*reading.X, 100.0, 100.0 * 1e-6);
}

TEST(MeterRecord, ZeroPhaseGivesPureResistance) {
    const MeterReading reading = parseMeterRecord(record("   10.0", " 75.0", "  0.0", "1.50"));
    EXPECT_DOUBLE_EQ(*reading.R, 75.0);
    EXPECT_DOUBLE_EQ(*reading.X, 0.0);
}

TEST(MeterRecord, NegativePhaseGivesSameMagnitudesAsPositive) {
    const MeterReading minus = parseMeterRecord(record("  100.0", " 50.0", "-45.0", "2.00"));
    const MeterReading plus = parseMeterRecord(record("  100.0", " 50.0", " 45.0", "2.00"));
    EXPECT_DOUBLE_EQ(*minus.R, *plus.R);
    EXPECT_DOUBLE_EQ(*minus.X, *plus.X);
    EXPECT_GT(*minus.X, 0.0);
}

struct SwrCase {
    const char* name;
    const char* field;
    std::int64_t tenThousandths;
};

void PrintTo(const SwrCase& row, std::ostream* out) {
    *out << row.name;
}

class SwrFieldTest : public ::testing::TestWithParam<SwrCase> {};

TEST_P(SwrFieldTest, BecomesFixedPoint) {
    const MeterReading reading =
        parseMeterRecord(record("  100.0", " 50.0", "  0.0", GetParam().field));
    EXPECT_EQ(reading.SWR.tenThousandths(), GetParam().tenThousandths);
}

INSTANTIATE_TEST_SUITE_P(Record, SwrFieldTest,
                         ::testing::Values(SwrCase{"OnePointFiveExact", "1.50", 15000},
                                           SwrCase{"AboveTenOneDecimal", "12.5", 125000},
                                           SwrCase{"LetterFirstIsZero", "x.50", 0},
                                           SwrCase{"BlankThenDigits", " 3.1", 31000},
                                           SwrCase{"OverrangeSaturates", "9e99", INT64_MAX}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeterRecord, NonNumericZFieldKeepsTextAndReadsZero) {
    const MeterReading reading = parseMeterRecord(record("  100.0", " OVER", "-30.0", "1.50"));
    EXPECT_EQ(reading.ZText, " OVER");
    EXPECT_EQ(*reading.Z, 0.0);
    EXPECT_EQ(*reading.R, 0.0);
    EXPECT_EQ(*reading.X, 0.0);
    EXPECT_EQ(formatFieldText(reading.ZText, "###.0"), " OVER");
}

TEST(MeterRecord, UnreadPositionsMayHoldAnyByte) {
    std::string text = record("  100.0", " 50.0", "-30.0", "1.50", '\0');
    text[20] = '\x80';
    text[38] = '\xff';
    ASSERT_TRUE(isAcceptedResponse(text));
    const MeterReading reading = parseMeterRecord(text);
    EXPECT_DOUBLE_EQ(*reading.Power, 100.0);
    EXPECT_DOUBLE_EQ(*reading.Z, 50.0);
    EXPECT_DOUBLE_EQ(*reading.Phase, -30.0);
    EXPECT_EQ(reading.SWR.tenThousandths(), 15000);
}

struct RejectCase {
    const char* name;
    std::string raw;
};

void PrintTo(const RejectCase& row, std::ostream* out) {
    *out << row.name;
}

class RejectedResponseTest : public ::testing::TestWithParam<RejectCase> {};

TEST_P(RejectedResponseTest, IsRejected) {
    EXPECT_FALSE(isAcceptedResponse(GetParam().raw));
}

INSTANTIATE_TEST_SUITE_P(
    Record, RejectedResponseTest,
    ::testing::Values(RejectCase{"Empty", ""},
                      RejectCase{"FortyTwoCharacters", kWorkedExample.substr(0, 42)},
                      RejectCase{"FortyFourCharacters", kWorkedExample + "\r"},
                      RejectCase{"WrongFirstCharacter", ":" + kWorkedExample.substr(1)},
                      RejectCase{"NulFirst", std::string(1, '\0') + kWorkedExample.substr(1)},
                      RejectCase{"TwoRecords", kWorkedExample + kWorkedExample},
                      RejectCase{"QueryEchoedBeforeRecord", ";P?" + kWorkedExample}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeterRecord, ShortTextParsesWithoutReadingPastIt) {
    const MeterReading reading = parseMeterRecord(";  12.5, 50");
    EXPECT_DOUBLE_EQ(*reading.Power, 12.5);
    EXPECT_EQ(reading.ZText, "50");
    EXPECT_EQ(reading.PhaseText, "");
    EXPECT_EQ(reading.SWR.tenThousandths(), 0);
}

}  // namespace
}  // namespace zm
