// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "sim/rig_follower.h"

namespace zm::sim {
namespace {

struct RigCase {
    const char* name;
    const char* answer;
    bool parsed;
    double frequencyMHz;
    bool keyed;
};

void PrintTo(const RigCase& row, std::ostream* out) {
    *out << row.name;
}

class ParseRigStateTest : public ::testing::TestWithParam<RigCase> {};

TEST_P(ParseRigStateTest, Reads) {
    const auto state = parseRigState(GetParam().answer);
    ASSERT_EQ(state.has_value(), GetParam().parsed);
    if (state) {
        EXPECT_DOUBLE_EQ(state->frequencyMHz, GetParam().frequencyMHz);
        EXPECT_EQ(state->keyed, GetParam().keyed);
    }
}

// The answers are what rigctld 4.5.4 -m 1 sends to "+f\n+t\n".
INSTANTIATE_TEST_SUITE_P(
    Rigctld, ParseRigStateTest,
    ::testing::Values(
        RigCase{"Unkeyed", "get_freq:\nFrequency: 145000000\nRPRT 0\nget_ptt:\nPTT: 0\nRPRT 0\n",
                true, 145.0, false},
        RigCase{"Keyed", "get_freq:\nFrequency: 14100000\nRPRT 0\nget_ptt:\nPTT: 1\nRPRT 0\n", true,
                14.1, true},
        RigCase{"KeyedFromDataInput",
                "get_freq:\nFrequency: 14000000\nRPRT 0\nget_ptt:\nPTT: 3\nRPRT 0\n", true, 14.0,
                true},
        RigCase{"FractionalHertz",
                "get_freq:\nFrequency: 14175000.000000\nRPRT 0\nget_ptt:\nPTT: 1\nRPRT 0\n", true,
                14.175, true},
        RigCase{"PttRefused", "get_freq:\nFrequency: 14100000\nRPRT 0\nget_ptt:\nRPRT -11\n", false,
                0.0, false},
        RigCase{"OnlyFrequency", "get_freq:\nFrequency: 14100000\nRPRT 0\n", false, 0.0, false},
        RigCase{"NotANumber", "get_freq:\nFrequency: x\nRPRT 0\nget_ptt:\nPTT: 1\nRPRT 0\n", false,
                0.0, false},
        RigCase{"Empty", "", false, 0.0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RigAnswer, CompleteOnlyAfterSecondReplyLine) {
    EXPECT_FALSE(isCompleteRigAnswer("get_freq:\nFrequency: 14100000\nRPRT 0\n"));
    EXPECT_FALSE(isCompleteRigAnswer("get_freq:\nFrequency: 1\nRPRT 0\nget_ptt:\nPTT: 1\nRPRT"));
    EXPECT_TRUE(isCompleteRigAnswer("get_freq:\nFrequency: 1\nRPRT 0\nget_ptt:\nPTT: 1\nRPRT 0\n"));
}

TEST(RigFollower, UnreachableRigGivesNoState) {
    RigFollower rig("127.0.0.1", "1");  // nothing listens on port 1
    EXPECT_FALSE(rig.query().has_value());
}

}  // namespace
}  // namespace zm::sim
