// SPDX-License-Identifier: GPL-3.0-or-later
// The keyed readings of a sweep point inside the power window: a meter that gives no usable
// answer, no power or more than the ceiling stops the sweep, unkeyed, with a message.

#include <QLineEdit>
#include <QTest>
#include <deque>

#include "tests/app/sweep_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::string noReadingAt(const char* mhz) {
    return std::string("The sweep stopped at ") + mhz +
           " MHz: the meter gave no usable answer in three tries while the radio was keyed, so it "
           "cannot tell whether power goes out. Check the meter's cable and port (Setup, Diag "
           "shows what it answers), then press Run again.";
}

std::string noPowerAt(const char* mhz) {
    return std::string("The sweep stopped at ") + mhz +
           " MHz: the meter reads no power while the radio is keyed. Check that the radio is on, "
           "may transmit on this band, and that its output passes through the meter, then press "
           "Run again.";
}

constexpr const char* kNoPower = ";    0.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";
constexpr const char* kTooMuch = ";  150.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";

// Each keyed reading inside the power window, in both ways of settling: a two-point sweep
// (14.0 and 14.05 MHz) with the meter's answers in turn, the last one repeating.
struct PowerWindowCase {
    const char* name;
    SettleMode settle;
    std::optional<double> maxPowerW;
    std::deque<std::string> answers;
    std::string message;
    std::size_t pointsKept;
    std::string firstTaken;              // how the first point was taken, as the CSV says it
    std::vector<std::string> lastKeyed;  // the log from the last key-down on
    int escapeAtPause =
        0;  // Escape during this wait of the sweep (from the meter's check); 0: none
    friend void PrintTo(const PowerWindowCase& c, std::ostream* os) { *os << c.name; }
};

class PowerWindowTable : public SweepTest, public ::testing::WithParamInterface<PowerWindowCase> {};

TEST_P(PowerWindowTable, KeepsOrStopsAsTheReadingsSay) {
    const PowerWindowCase& c = GetParam();
    sweepSettingsDialog->choice = SweepSettings{c.settle, c.maxPowerW};
    window->mnuSweepSettings_Click();
    window->controls().Text3->setText("14.05");
    // The answer to the meter's unkeyed check before the radio, then the keyed ones in turn.
    comm->answers = c.answers;
    comm->answers.push_front(kFiftyOhms);
    int pauses = 0;
    sweepSleeper->during = [&](std::chrono::milliseconds) {
        if (++pauses == c.escapeAtPause) {
            QTest::keyClick(window.get(), Qt::Key_Escape);
        }
    };
    guard->log = &log;
    log.clear();
    window->cmdRun_Click();

    if (c.message.empty()) {
        EXPECT_THAT(messages->shown, ::testing::IsEmpty());
    } else {
        EXPECT_THAT(messages->shown, ElementsAre(c.message));
    }
    const SweepRecord& record = window->sweepModel().record();
    ASSERT_EQ(record.points.size(), c.pointsKept);
    if (c.pointsKept > 0) {
        EXPECT_EQ(takingField(*record.points[0].taken), c.firstTaken);
        EXPECT_TRUE(record.points.back().reading.has_value());
    }
    const auto lastKeyDown = std::find(log.rbegin(), log.rend(), "SetPTT 1").base() - 1;
    EXPECT_THAT(std::vector(lastKeyDown, log.end()), ElementsAreArray(c.lastKeyed));
    EXPECT_TRUE(window->timer1Enabled());
}

const std::vector<std::string> kFixedPoint{"SetPTT 1",      "Guard keying", "Pause 1000",
                                           "Output ;P?",    "Pause 200",    "SetPTT 0",
                                           "Guard unkeyed", "Guard finish"};
const std::vector<std::string> kThreeReadings{
    "SetPTT 1",   "Guard keying", "Output ;P?", "Pause 200",     "Output ;P?",  "Pause 200",
    "Output ;P?", "Pause 200",    "SetPTT 0",   "Guard unkeyed", "Guard finish"};
const std::vector<std::string> kSilentThrice{
    "SetPTT 1",     "Guard keying", "Pause 1000",    "Output ;P?",   "Pause 200",
    "Guard keying", "Output ;P?",   "Pause 200",     "Guard keying", "Output ;P?",
    "Pause 200",    "SetPTT 0",     "Guard unkeyed", "Guard finish"};
const std::vector<std::string> kTwoReadings{"SetPTT 1",  "Guard keying",  "Output ;P?",
                                            "Pause 200", "Output ;P?",    "Pause 200",
                                            "SetPTT 0",  "Guard unkeyed", "Guard finish"};

std::vector<std::string> sixReadings() {
    std::vector<std::string> log{"SetPTT 1", "Guard keying"};
    for (int poll = 0; poll < 6; ++poll) {
        log.insert(log.end(), {"Output ;P?", "Pause 200"});
    }
    log.insert(log.end(), {"SetPTT 0", "Guard unkeyed", "Guard finish"});
    return log;
}

INSTANTIATE_TEST_SUITE_P(
    Sweep, PowerWindowTable,
    ::testing::Values(
        PowerWindowCase{"SilentMeterIsReadThriceThenStopsForTheLink",
                        SettleMode::Fixed,
                        std::nullopt,
                        {""},
                        noReadingAt("14.000"),
                        0,
                        "",
                        kSilentThrice},
        PowerWindowCase{"SilentAfterAReadingStopsWithoutReusingIt",
                        SettleMode::Fixed,
                        std::nullopt,
                        {kFiftyOhms, ""},
                        noReadingAt("14.050"),
                        1,
                        "fixed 1",
                        kSilentThrice},
        PowerWindowCase{"GarbledTwiceIsReadAgainAndKept",
                        SettleMode::Fixed,
                        std::nullopt,
                        {"", "", kFiftyOhms},
                        "",
                        2,
                        "fixed 3",
                        kFixedPoint},
        PowerWindowCase{"NoPowerAfterTheFixedWaitStops",
                        SettleMode::Fixed,
                        std::nullopt,
                        {kNoPower},
                        noPowerAt("14.000"),
                        0,
                        "",
                        kFixedPoint},
        PowerWindowCase{"ReadingsSettleAfterThree",
                        SettleMode::Readings,
                        std::nullopt,
                        {kNoPower, kFiftyOhms},
                        "",
                        2,
                        "settled 3",
                        kThreeReadings},
        PowerWindowCase{"ReadingsWithoutPowerAreReadToTheLimit",
                        SettleMode::Readings,
                        std::nullopt,
                        {kNoPower},
                        noPowerAt("14.000"),
                        0,
                        "",
                        sixReadings()},
        PowerWindowCase{"CeilingStopsAtTheFirstReadingAbove",
                        SettleMode::Readings,
                        120.0,
                        {kNoPower, kTooMuch},
                        "The sweep stopped at 14.000 MHz: the meter reads 150.0 W while the radio "
                        "is keyed, above the power ceiling of 120 W. Turn the radio's power down "
                        "below 120 W (or raise the ceiling in Setup, Sweep settings), then press "
                        "Run again.",
                        0,
                        "",
                        kTwoReadings},
        PowerWindowCase{"CeilingAfterTheFixedWaitKeepsThePointsBefore",
                        SettleMode::Fixed,
                        120.0,
                        {kFiftyOhms, kTooMuch},
                        "The sweep stopped at 14.050 MHz: the meter reads 150.0 W while the radio "
                        "is keyed, above the power ceiling of 120 W. Turn the radio's power down "
                        "below 120 W (or raise the ceiling in Setup, Sweep settings), then press "
                        "Run again.",
                        1,
                        "fixed 1",
                        kFixedPoint},
        PowerWindowCase{"EscapeWhileSettlingUnkeysAfterThatPoll",
                        SettleMode::Readings,
                        std::nullopt,
                        {kNoPower},
                        "",
                        0,
                        "",
                        kTwoReadings,
                        4}),  // the meter's check, the tuning, the first keyed poll, the second
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
