// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/serial_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace zm {
namespace {

using Parity = SerialSettings::Parity;
using StopBits = SerialSettings::StopBits;

struct SettingsCase {
    const char* name;
    const char* text;
    std::optional<SerialSettings> expected;
};

void PrintTo(const SettingsCase& row, std::ostream* out) {
    *out << row.name;
}

class ParseSerialSettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(ParseSerialSettingsTest, Parses) {
    EXPECT_EQ(parseSerialSettings(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ParseSerialSettingsTest,
    ::testing::Values(SettingsCase{"MeterLine", "38400,n,8,1",
                                   SerialSettings{38400, Parity::None, 8, StopBits::One}},
                      SettingsCase{"UpperCaseParity", "9600,E,7,2",
                                   SerialSettings{9600, Parity::Even, 7, StopBits::Two}},
                      SettingsCase{"BlanksAroundParts", " 4800 , o , 8 , 1.5 ",
                                   SerialSettings{4800, Parity::Odd, 8, StopBits::OneAndHalf}},
                      SettingsCase{"MarkParity", "1200,m,5,1",
                                   SerialSettings{1200, Parity::Mark, 5, StopBits::One}},
                      SettingsCase{"SpaceParity", "1200,s,6,1",
                                   SerialSettings{1200, Parity::Space, 6, StopBits::One}},
                      SettingsCase{"UnknownParity", "38400,x,8,1", std::nullopt},
                      SettingsCase{"ParityWord", "38400,none,8,1", std::nullopt},
                      SettingsCase{"FourDataBits", "38400,n,4,1", std::nullopt},
                      SettingsCase{"NineDataBits", "38400,n,9,1", std::nullopt},
                      SettingsCase{"ThreeStopBits", "38400,n,8,3", std::nullopt},
                      SettingsCase{"ZeroBaud", "0,n,8,1", std::nullopt},
                      SettingsCase{"NegativeBaud", "-9600,n,8,1", std::nullopt},
                      SettingsCase{"BaudBeyondAnyUart", "99999999999,n,8,1", std::nullopt},
                      SettingsCase{"BaudWithFraction", "9600.5,n,8,1", std::nullopt},
                      SettingsCase{"ThreeParts", "38400,n,8", std::nullopt},
                      SettingsCase{"FiveParts", "38400,n,8,1,x", std::nullopt},
                      SettingsCase{"EmptyPart", "38400,,8,1", std::nullopt},
                      SettingsCase{"Empty", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
