// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/meter_record_builder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "meter/meter_record.h"
#include "sim/meter_answer.h"

namespace zm::sim {
namespace {

struct RecordCase {
    const char* name;
    MeterValues values;
    const char* expected;
};

void PrintTo(const RecordCase& row, std::ostream* out) {
    *out << row.name;
}

class BuildMeterRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(BuildMeterRecordTest, LaysOutFields) {
    const std::string record = buildMeterRecord(GetParam().values);
    EXPECT_EQ(record, GetParam().expected);
    EXPECT_TRUE(isAcceptedResponse(record));
}

INSTANTIATE_TEST_SUITE_P(
    Layout, BuildMeterRecordTest,
    ::testing::Values(RecordCase{"WorkedExample",
                                 {100.0, 50.0, -30.0, 1.5},
                                 ";  100.0, 50.0,-30.0, R 43.3 X-25.0 SW 1.50"},
                      RecordCase{"NoRf", {}, ";    0.0,  0.0,  0.0, R  0.0 X  0.0 SW 0.00"},
                      RecordCase{"SwrTenAndAboveOneDecimal",
                                 {5.0, 150.0, 0.0, 12.34},
                                 ";    5.0,150.0,  0.0, R150.0 X  0.0 SW 12.3"},
                      RecordCase{"SwrJustBelowTenRoundsIntoOneDecimal",
                                 {5.0, 150.0, 0.0, 9.996},
                                 ";    5.0,150.0,  0.0, R150.0 X  0.0 SW 10.0"},
                      RecordCase{"OverrangeValuesClampToField",
                                 {1e6, 5000.0, -120.0, INFINITY},
                                 ";99999.9,999.9,-99.9, R-99.9 X-99.9 SW 99.9"},
                      RecordCase{"NotANumberShowsZero",
                                 {NAN, NAN, NAN, NAN},
                                 ";    0.0,  0.0,  0.0, R  0.0 X  0.0 SW 0.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuildMeterRecord, ParsesBackToItsInputs) {
    for (const MeterValues values :
         {MeterValues{100.0, 83.4, -48.2, 3.07}, MeterValues{100.0, 57.0, 0.0, 1.14},
          MeterValues{12.5, 84.7, 46.4, 2.98}, MeterValues{1500.0, 999.9, 89.9, 99.9}}) {
        const std::string record = buildMeterRecord(values);
        ASSERT_TRUE(isAcceptedResponse(record)) << record;
        const MeterReading reading = parseMeterRecord(record);
        EXPECT_NEAR(*reading.Power, values.power, 0.05) << record;
        EXPECT_NEAR(*reading.Z, values.zOhms, 0.05) << record;
        EXPECT_NEAR(*reading.Phase, values.phaseDegrees, 0.05) << record;
        EXPECT_NEAR(reading.SWR.toDouble(), values.swr, 0.05) << record;
    }
}

struct FaultCase {
    const char* name;
    Fault fault;
    std::size_t parts;
    std::size_t firstLength;
    bool accepted;
};

void PrintTo(const FaultCase& row, std::ostream* out) {
    *out << row.name;
}

class FaultAnswerTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultAnswerTest, Misbehaves) {
    const auto answer = answerFor(GetParam().fault, {100.0, 50.0, -30.0, 1.5});
    ASSERT_EQ(answer.size(), GetParam().parts);
    if (answer.empty()) {
        return;
    }
    EXPECT_EQ(answer.front().bytes.size(), GetParam().firstLength);
    EXPECT_EQ(answer.front().delay.count(), 0);
    EXPECT_EQ(isAcceptedResponse(answer.front().bytes), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Simulator, FaultAnswerTest,
    ::testing::Values(FaultCase{"NoneIsTheRecord", Fault::None, 1, 43, true},
                      FaultCase{"SilentSendsNothing", Fault::Silent, 0, 0, false},
                      FaultCase{"ShortIsFortyTwo", Fault::Short, 1, 42, false},
                      FaultCase{"LongIsFortyFour", Fault::Long, 1, 44, false},
                      FaultCase{"BadStartIsRejected", Fault::BadStart, 1, 43, false},
                      FaultCase{"NonNumericIsStillAccepted", Fault::NonNumeric, 1, 43, true},
                      FaultCase{"SplitSendsHalfFirst", Fault::Split, 2, 21, false},
                      FaultCase{"GarbageInUnreadPositionsAccepted", Fault::Garbage, 1, 43, true},
                      FaultCase{"NoiseIsRejected", Fault::Noise, 1, 43, false},
                      FaultCase{"FloodIsOneMebibyte", Fault::Flood, 1, 1024 * 1024, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FaultAnswer, SplitTailComesAfterThePollsRead) {
    const auto answer = answerFor(Fault::Split, {100.0, 50.0, -30.0, 1.5});
    ASSERT_EQ(answer.size(), 2u);
    EXPECT_GT(answer[1].delay.count(), 200);
    EXPECT_EQ(answer[0].bytes + answer[1].bytes, buildMeterRecord({100.0, 50.0, -30.0, 1.5}));
}

TEST(FaultAnswer, GarbageKeepsFieldsAndHoldsBinaryBytes) {
    const std::string record = answerFor(Fault::Garbage, {100.0, 50.0, -30.0, 1.5})[0].bytes;
    const MeterReading reading = parseMeterRecord(record);
    EXPECT_DOUBLE_EQ(*reading.Z, 50.0);
    EXPECT_DOUBLE_EQ(*reading.Phase, -30.0);
    EXPECT_EQ(reading.SWR.tenThousandths(), 15000);
    EXPECT_NE(record.find('\0'), std::string::npos);
    EXPECT_NE(record.find('\x80'), std::string::npos);
}

}  // namespace
}  // namespace zm::sim
