// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sweep/rigctld_protocol.h"

namespace zm {
namespace {

struct FrequencyCase {
    const char* name;
    double frequencyMHz;
    std::optional<std::int64_t> hz;
};
void PrintTo(const FrequencyCase& row, std::ostream* out) {
    *out << row.name;
}

class RigFrequencyHz : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(RigFrequencyHz, RoundsToWholeHertzOrRefuses) {
    EXPECT_EQ(rigFrequencyHz(GetParam().frequencyMHz), GetParam().hz);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Table, RigFrequencyHz,
    ::testing::Values(FrequencyCase{"WholeMegahertz", 14.0, 14'000'000},
                      FrequencyCase{"StepOfTheStartupPlan", 14.05, 14'050'000},
                      // (14.0 - 0.05) + 2 * 0.05 may land one ulp under 14.05.
                      FrequencyCase{"OneUlpBelowStillTheSameHertz", std::nextafter(14.05, 0.0),
                                    14'050'000},
                      FrequencyCase{"FractionBelowHalfRoundsDown", 14.0000004, 14'000'000},
                      FrequencyCase{"FractionAboveHalfRoundsUp", 14.0000006, 14'000'001},
                      FrequencyCase{"TopBand", 1.8, 1'800'000},
                      FrequencyCase{"Microwave", 10368.1, 10'368'100'000},
                      FrequencyCase{"ZeroRefused", 0.0, std::nullopt},
                      FrequencyCase{"BelowHalfAHertzRefused", 1e-7, std::nullopt},
                      FrequencyCase{"NegativeRefused", -14.0, std::nullopt},
                      FrequencyCase{"NaNRefused", kNaN, std::nullopt},
                      FrequencyCase{"InfinityRefused", kInfinity, std::nullopt},
                      FrequencyCase{"MinusInfinityRefused", -kInfinity, std::nullopt},
                      FrequencyCase{"AbsurdlyHighRefused", 1e9, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RigctldModeName, MapsTheThreeCarrierModesOnly) {
    EXPECT_EQ(rigctldModeName(2), "CW");
    EXPECT_EQ(rigctldModeName(4), "AM");
    EXPECT_EQ(rigctldModeName(9), "RTTY");
    for (const int code : {0, 1, 3, 5, 8, 10, -2}) {
        EXPECT_EQ(rigctldModeName(code), std::nullopt) << code;
    }
}

struct RequestCase {
    const char* name;
    RigctldCommand command;
    const char* arguments;
    bool vfoMode;
    std::optional<std::string> request;
};
void PrintTo(const RequestCase& row, std::ostream* out) {
    *out << row.name;
}

class FormatRigctldRequest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(FormatRigctldRequest, BuildsOneWellFormedLine) {
    const RequestCase& row = GetParam();
    EXPECT_EQ(formatRigctldRequest(row.command, row.arguments, row.vfoMode), row.request);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatRigctldRequest,
    ::testing::Values(
        RequestCase{"Frequency", kRigSetFrequency, "14050000", false, "+F 14050000\n"},
        RequestCase{"FrequencyInVfoMode", kRigSetFrequency, "14050000", true,
                    "+F currVFO 14050000\n"},
        RequestCase{"ModeWithDefaultPassband", kRigSetMode, "CW 0", false, "+M CW 0\n"},
        RequestCase{"ModeInVfoMode", kRigSetMode, "RTTY 0", true, "+M currVFO RTTY 0\n"},
        RequestCase{"AntennaInVfoMode", kRigGetAntenna, "0", true, "+y 0\n"},
        RequestCase{"Key", kRigSetPtt, "1", false, "+T 1\n"},
        RequestCase{"RitOff", kRigSetFunction, "RIT 0", false, "+U RIT 0\n"},
        RequestCase{"XitOffInVfoMode", kRigSetFunction, "XIT 0", true, "+U currVFO XIT 0\n"},
        RequestCase{"XitQuestionInVfoMode", kRigGetFunction, "XIT", true, "+u currVFO XIT\n"},
        RequestCase{"SplitQuestion", kRigGetSplit, "", false, "+s\n"},
        RequestCase{"SplitQuestionInVfoMode", kRigGetSplit, "", true, "+s currVFO\n"},
        RequestCase{"SplitQuestionTakesNoArgument", kRigGetSplit, "1", false, std::nullopt},
        // rigctld would take the next request as the missing argument.
        RequestCase{"EmptyArgumentRefused", kRigSetFrequency, "", false, std::nullopt},
        RequestCase{"SecondLineRefused", kRigSetFrequency, "14050000\n+T 1", false, std::nullopt},
        RequestCase{"BackslashCommandRefused", kRigSetMode, "\\dump_caps", false, std::nullopt},
        RequestCase{"SemicolonRefused", kRigSetPtt, "1;T 1", false, std::nullopt},
        RequestCase{"LeadingSpaceRefused", kRigSetPtt, " 1", false, std::nullopt},
        RequestCase{"TrailingSpaceRefused", kRigSetPtt, "1 ", false, std::nullopt},
        RequestCase{"DoubleSpaceRefused", kRigSetMode, "CW  0", false, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseChkVfoAnswer, ReadsPlainAndOldForms) {
    EXPECT_EQ(parseChkVfoAnswer("0\n"), false);
    EXPECT_EQ(parseChkVfoAnswer("1\n"), true);
    EXPECT_EQ(parseChkVfoAnswer("1\r\n"), true);
    EXPECT_EQ(parseChkVfoAnswer("CHKVFO 1\n"), true);
    EXPECT_EQ(parseChkVfoAnswer("CHKVFO 0"), false);
    for (const char* other :
         {"", "\n", "2\n", "RPRT -1\n", "HTTP/1.1 400 Bad Request\r\n", "10\n"}) {
        EXPECT_EQ(parseChkVfoAnswer(other), std::nullopt) << other;
    }
}

using State = RigctldAnswer::State;

struct AnswerCase {
    const char* name;
    const char* received;
    std::string_view echoName;
    State state;
    int status;
};
void PrintTo(const AnswerCase& row, std::ostream* out) {
    *out << row.name;
}

class ParseRigctldAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ParseRigctldAnswer, FindsTheStatusOrTheFault) {
    const AnswerCase& row = GetParam();
    const RigctldAnswer answer = parseRigctldAnswer(row.received, row.echoName);
    EXPECT_EQ(answer.state, row.state);
    if (row.state == State::Complete) {
        EXPECT_EQ(answer.status, row.status);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseRigctldAnswer,
    ::testing::Values(
        AnswerCase{"Success", "set_freq: 14050000\nRPRT 0\n", "set_freq", State::Complete, 0},
        AnswerCase{"SuccessInVfoMode", "set_mode: currVFO CW 0\nRPRT 0\n", "set_mode",
                   State::Complete, 0},
        AnswerCase{"HamlibErrorPassedOn", "set_ptt: 1\nRPRT -1\n", "set_ptt", State::Complete, -1},
        AnswerCase{"FunctionNotAvailable", "set_rit: 0\nRPRT -11\n", "set_rit", State::Complete,
                   -11},
        AnswerCase{"RejectedLineHasNoEcho", "RPRT -1\n", "set_freq", State::Complete, -1},
        AnswerCase{"CarriageReturnsTolerated", "set_freq: 1\r\nRPRT 0\r\n", "set_freq",
                   State::Complete, 0},
        AnswerCase{"ValueLinesBeforeStatus", "get_freq:\nFrequency: 14000000\nRPRT 0\n", "get_freq",
                   State::Complete, 0},
        AnswerCase{"NothingYet", "", "set_freq", State::Incomplete, 0},
        AnswerCase{"HalfAnEcho", "set_fr", "set_freq", State::Incomplete, 0},
        AnswerCase{"EchoOnly", "set_freq: 14050000\n", "set_freq", State::Incomplete, 0},
        AnswerCase{"StatusWithoutNewline", "set_freq: 14050000\nRPRT 0", "set_freq",
                   State::Incomplete, 0},
        AnswerCase{"EchoOfAnotherCommand", "set_mode: CW 0\nRPRT 0\n", "set_freq", State::Malformed,
                   0},
        AnswerCase{"EchoNameOnlyAPrefix", "set_freqs: 1\nRPRT 0\n", "set_freq", State::Malformed,
                   0},
        AnswerCase{"PlainFormAnswer", "0\n", "set_freq", State::Malformed, 0},
        AnswerCase{"BytesAfterStatus", "set_freq: 1\nRPRT 0\nset_mode: CW 0\n", "set_freq",
                   State::Malformed, 0},
        AnswerCase{"StatusNotANumber", "set_freq: 1\nRPRT x\n", "set_freq", State::Malformed, 0},
        AnswerCase{"StatusWithTrailingJunk", "set_freq: 1\nRPRT 0x\n", "set_freq", State::Malformed,
                   0},
        AnswerCase{"StatusEmpty", "set_freq: 1\nRPRT \n", "set_freq", State::Malformed, 0},
        AnswerCase{"StatusPositive", "set_freq: 1\nRPRT 1\n", "set_freq", State::Malformed, 0},
        AnswerCase{"WebServer", "HTTP/1.1 400 Bad Request\r\n", "set_freq", State::Malformed, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseRigctldAnswer, GivesUpOnEndlessTextWithoutStatus) {
    const std::string oneLongLine(5000, 'x');
    EXPECT_EQ(parseRigctldAnswer(oneLongLine, "set_freq").state, State::Malformed);

    std::string manyLines = "set_freq: 1\n";
    while (manyLines.size() < 5000) {
        manyLines += "Frequency: 14000000\n";
    }
    EXPECT_EQ(parseRigctldAnswer(manyLines, "set_freq").state, State::Malformed);
}

TEST(RigctldAnswerValue, ReadsTheValueOfItsKeyOnly) {
    const std::string split = "get_split_vfo:\nSplit: 1\nTX VFO: VFOB\nRPRT 0\n";
    EXPECT_EQ(rigctldAnswerValue(split, "Split"), "1");
    EXPECT_EQ(rigctldAnswerValue(split, "TX VFO"), "VFOB");
    EXPECT_EQ(rigctldAnswerValue(split, "TX"), std::nullopt);
    EXPECT_EQ(rigctldAnswerValue("get_split_vfo:\nRPRT -11\n", "Split"), std::nullopt);
    // get_func answers its value on a line without a key.
    EXPECT_EQ(rigctldAnswerBareValue("get_func: currVFO XIT\n1\nRPRT 0\n"), "1");
    EXPECT_EQ(rigctldAnswerBareValue("get_func: XIT\nRPRT -1\n"), std::nullopt);
}

// Only a socket the radio names counts: the dummy rig says ANT_NONE until one is set.
TEST(RigctldAntennaSocket, ReadsTheSocketInUseOnly) {
    const auto socketOf = [](const std::string& current) {
        return rigctldAntennaSocket("get_ant: 0\nAntCurr: " + current +
                                    "\nOption: 0\nAntTx: ANT_UNKNOWN \nRPRT 0\n");
    };
    EXPECT_EQ(socketOf("ANT2 "), 2);
    EXPECT_EQ(socketOf("ANT12"), 12);
    for (const char* none : {"ANT_NONE", "ANT_UNKNOWN", "ANT_CURR", "ANT0", "ANT2x", "ANT"}) {
        EXPECT_EQ(socketOf(none), std::nullopt) << none;
    }
    EXPECT_EQ(rigctldAntennaSocket("get_ant: 0\nRPRT -11\n"), std::nullopt);
}

TEST(HamlibErrorText, NamesKnownCodesAndNumbersOthers) {
    EXPECT_EQ(hamlibErrorText(-1), "invalid parameter");
    EXPECT_EQ(hamlibErrorText(-5), "communication timed out");
    EXPECT_EQ(hamlibErrorText(-11), "function not available");
    EXPECT_EQ(hamlibErrorText(-20), "radio is not powered on");
    EXPECT_EQ(hamlibErrorText(-21), "Hamlib error -21");
    EXPECT_EQ(hamlibErrorText(3), "Hamlib error 3");
    EXPECT_EQ(hamlibErrorText(std::numeric_limits<int>::min()), "Hamlib error -2147483648");
}

}  // namespace
}  // namespace zm
