// SPDX-License-Identifier: GPL-3.0-or-later
// The config.ini rules on their own: cutting the text into value slots, reading numbers and
// check marks back, and the exact text that is written.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/config_file.h"

namespace zm {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

// --- Cutting the file into slots ------------------------------------------------------------

struct LineEndCase {
    const char* name;
    std::string text;
};

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

// The same three lines and a line without "=", whatever ends the lines; the last line
// may lack its end.
TEST_P(LineEnds, EveryKindOfLineEndGivesTheSameSlots) {
    ConfigValues slots;
    readConfigText(GetParam().text, slots);
    EXPECT_THAT(slots,
                ElementsAre(Optional(std::string("1215")), Optional(std::string("1170")),
                            std::nullopt, Optional(std::string("6645")), std::nullopt, std::nullopt,
                            std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt));
}

INSTANTIATE_TEST_SUITE_P(
    ConfigText, LineEnds,
    ::testing::Values(
        LineEndCase{"Crlf",
                    "Position-Left=1215\r\nPosition-Top=1170\r\nno value\r\nHeight=6645\r\n"},
        LineEndCase{"Lf", "Position-Left=1215\nPosition-Top=1170\nno value\nHeight=6645\n"},
        LineEndCase{"CrOnly", "Position-Left=1215\rPosition-Top=1170\rno value\rHeight=6645\r"},
        LineEndCase{"Mixed", "Position-Left=1215\rPosition-Top=1170\nno value\r\nHeight=6645"},
        LineEndCase{"LastLineWithoutEnd",
                    "Position-Left=1215\r\nPosition-Top=1170\r\nno value\r\nHeight=6645"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigText, KeysAreNeverLookedAtAndTheSecondEqualsSignIsPartOfTheValue) {
    ConfigValues slots;
    readConfigText("ListIndex=2\r\nPosition-Left==5\r\n=\r\nx=a=b\r\n", slots);
    EXPECT_EQ(slots[0], "2");
    EXPECT_EQ(slots[1], "=5");
    EXPECT_EQ(slots[2], "");
    EXPECT_EQ(slots[3], "a=b");
}

TEST(ConfigText, AnEmptyLineOrOneWithoutEqualsKeepsItsPlaceAndFillsNoSlot) {
    ConfigValues slots;
    slots[1] = "from an earlier run";
    readConfigText("a=1\r\n\r\nc=3\r\n", slots);
    EXPECT_EQ(slots[0], "1");
    EXPECT_EQ(slots[1], "from an earlier run");
    EXPECT_EQ(slots[2], "3");
}

TEST(ConfigText, ElevenLinesFillAllSlotsAndLaterLinesAreIgnored) {
    std::string text;
    for (int line = 1; line <= 13; ++line) {
        text += "k=" + std::to_string(line) + "\r\n";
    }
    ConfigValues slots;
    readConfigText(text, slots);
    EXPECT_EQ(slots.size(), 11u);
    EXPECT_EQ(slots[0], "1");
    EXPECT_EQ(slots[10], "11");
}

TEST(ConfigText, AShortFileLeavesTheRestOfTheSlotsAsTheyWere) {
    ConfigValues slots;
    slots[7] = "1";
    readConfigText("", slots);
    readConfigText("a=9", slots);
    EXPECT_EQ(slots[0], "9");
    EXPECT_EQ(slots[7], "1");
}

TEST(ConfigText, NulBytesInsideAValueAreKeptAndDoNotEndTheLine) {
    ConfigValues slots;
    readConfigText(std::string_view("a=1\0 2\r\nb=7\r\n", 13), slots);
    EXPECT_EQ(slots[0], std::string("1\0 2", 4));
    EXPECT_EQ(slots[1], "7");
}

// --- Reading values back ----------------------------------------------------------------------

struct SingleCase {
    const char* name;
    const char* text;
    std::optional<float> expected;
};

class ReadSingle : public ::testing::TestWithParam<SingleCase> {};

TEST_P(ReadSingle, ReadsTheLeadingNumber) {
    EXPECT_EQ(readSingle(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ConfigValues, ReadSingle,
    ::testing::Values(
        SingleCase{"WholeNumber", "1215", 1215.0f},
        SingleCase{"HandEditedPointZero", "7230.0", 7230.0f},
        SingleCase{"Fraction", "1215.5", 1215.5f}, SingleCase{"Negative", "-15", -15.0f},
        SingleCase{"BlanksInsideAreSkipped", " 1 2 1 5", 1215.0f},
        SingleCase{"TrailingTextIsIgnored", "1215twips", 1215.0f},
        SingleCase{"WrittenExponent", "1E+07", 1e7f},
        SingleCase{"NoNumberReadsAsZero", "abc", 0.0f}, SingleCase{"EmptyReadsAsZero", "", 0.0f},
        SingleCase{"NanWordIsNoNumber", "nan", 0.0f}, SingleCase{"InfWordIsNoNumber", "inf", 0.0f},
        SingleCase{"BeyondDoubleIsRefused", "1e400", std::nullopt},
        SingleCase{"BeyondDoubleNegativeIsRefused", "-1e400", std::nullopt},
        SingleCase{"BeyondSingleIsRefused", "3.5e38", std::nullopt},
        SingleCase{"TinyUnderflowsToZero", "1e-400", 0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

struct WholeCase {
    const char* name;
    const char* text;
    std::optional<std::int16_t> expected;
};

class ReadWhole16 : public ::testing::TestWithParam<WholeCase> {};

TEST_P(ReadWhole16, RoundsHalvesToEvenWithinSixteenBits) {
    EXPECT_EQ(readWhole16(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ConfigValues, ReadWhole16,
    ::testing::Values(WholeCase{"TwoAndAHalfGoesDown", "2.5", std::int16_t(2)},
                      WholeCase{"ThreeAndAHalfGoesUp", "3.5", std::int16_t(4)},
                      WholeCase{"NegativeHalfToEven", "-2.5", std::int16_t(-2)},
                      WholeCase{"BelowHalfGoesDown", "1.49", std::int16_t(1)},
                      WholeCase{"MinusOne", "-1", std::int16_t(-1)},
                      WholeCase{"Largest", "32767", std::int16_t(32767)},
                      WholeCase{"OnePastLargest", "32768", std::nullopt},
                      WholeCase{"RoundsPastLargest", "32767.5", std::nullopt},
                      WholeCase{"Smallest", "-32768", std::int16_t(-32768)},
                      WholeCase{"OnePastSmallest", "-32769", std::nullopt},
                      WholeCase{"FarBeyond", "70000", std::nullopt},
                      WholeCase{"BeyondDouble", "1e400", std::nullopt},
                      WholeCase{"NoNumberReadsAsZero", "Com3", std::int16_t(0)}),
    [](const auto& info) { return std::string(info.param.name); });

struct CheckMarkCase {
    const char* name;
    const char* text;
    std::optional<bool> expected;
};

class ReadCheckMark : public ::testing::TestWithParam<CheckMarkCase> {};

TEST_P(ReadCheckMark, TakesTheWordsOrANumber) {
    EXPECT_EQ(readCheckMark(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ConfigValues, ReadCheckMark,
    ::testing::Values(CheckMarkCase{"UpperCaseTrue", "TRUE", true},
                      CheckMarkCase{"LowerCaseFalse", "false", false},
                      CheckMarkCase{"MixedCase", "tRuE", true},
                      CheckMarkCase{"BlanksAround", " True ", true},
                      CheckMarkCase{"MinusOneIsAMark", "-1", true},
                      CheckMarkCase{"ZeroIsNoMark", "0", false},
                      CheckMarkCase{"ZeroPointZeroIsNoMark", "0.0", false},
                      CheckMarkCase{"FractionIsAMark", "0.5", true},
                      CheckMarkCase{"OtherWordIsRefused", "yes", std::nullopt},
                      CheckMarkCase{"WordWithTailIsRefused", "Truex", std::nullopt},
                      CheckMarkCase{"NumberWithTailIsRefused", "1x", std::nullopt},
                      CheckMarkCase{"EmptyIsRefused", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Writing ----------------------------------------------------------------------------------

struct SingleTextCase {
    const char* name;
    float value;
    const char* text;
};

class SingleText : public ::testing::TestWithParam<SingleTextCase> {};

TEST_P(SingleText, WritesUpToSevenDigitsAndReadsBackTheSameValue) {
    EXPECT_EQ(singleText(GetParam().value), GetParam().text);
    EXPECT_EQ(readSingle(singleText(GetParam().value)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(ConfigValues, SingleText,
                         ::testing::Values(SingleTextCase{"Left", 1215.0f, "1215"},
                                           SingleTextCase{"DiagHeight", 7230.0f, "7230"},
                                           SingleTextCase{"HalfTwip", 1215.5f, "1215.5"},
                                           SingleTextCase{"BelowOne", 0.5f, "0.5"},
                                           SingleTextCase{"Negative", -15.0f, "-15"},
                                           SingleTextCase{"Zero", 0.0f, "0"},
                                           SingleTextCase{"SevenDigits", 1234567.0f, "1234567"},
                                           SingleTextCase{"TenMillion", 1e7f, "1E+07"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WriteConfigText, WritesTheEightLinesByteForByte) {
    ConfigSettings settings;
    settings.leftTwips = 1215;
    settings.topTwips = 1170;
    settings.comPort = 3;
    settings.heightTwips = 6645;
    settings.normalChecked = true;
    settings.diagChecked = false;
    settings.plotModeIndex = 0;
    settings.carrierModeIndex = -1;
    EXPECT_EQ(writeConfigText(settings),
              "Position-Left=1215\r\nPosition-Top=1170\r\nComPort=3\r\nHeight=6645\r\n"
              "mnuNormal=True\r\nmnuDiag=False\r\nListIndex=0\r\nListIndex=-1\r\n");
}

TEST(WriteConfigText, WhatIsWrittenReadsBackToTheSameSettings) {
    ConfigSettings settings;
    settings.leftTwips = -48000;
    settings.topTwips = 0.5f;
    settings.comPort = 16;
    settings.heightTwips = 14460;
    settings.normalChecked = false;
    settings.diagChecked = true;
    settings.plotModeIndex = 4;
    settings.carrierModeIndex = 2;

    ConfigValues slots;
    readConfigText(writeConfigText(settings), slots);
    EXPECT_EQ(readSingle(*slots[0]), settings.leftTwips);
    EXPECT_EQ(readSingle(*slots[1]), settings.topTwips);
    EXPECT_EQ(readWhole16(*slots[2]), settings.comPort);
    EXPECT_EQ(readSingle(*slots[3]), settings.heightTwips);
    EXPECT_EQ(readCheckMark(*slots[4]), settings.normalChecked);
    EXPECT_EQ(readCheckMark(*slots[5]), settings.diagChecked);
    EXPECT_EQ(readWhole16(*slots[6]), settings.plotModeIndex);
    EXPECT_EQ(readWhole16(*slots[7]), settings.carrierModeIndex);
    EXPECT_FALSE(slots[8].has_value());
}

}  // namespace
}  // namespace zm
