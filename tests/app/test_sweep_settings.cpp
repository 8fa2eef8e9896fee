// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep settings in station.ini: read once at start-up, changed through Setup, Sweep
// settings, which writes back only [sweep] and leaves the rest of the user's file alone.

#include <QComboBox>

#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;

using SweepSettingsTest = WindowTest;

TEST_F(SweepSettingsTest, StartUpReadsThemAndTheMenuRewritesOnlyThem) {
    const std::string rig =
        "; my station\n[rig]\nserver=own\nmodel=3073\ndevice=/dev/ttyUSB1\nbaud=19200\n"
        "civaddr=0x94\nptt=RIG\nport=4532\n\n";
    writeConfig(QByteArray::fromStdString(
                    rig + "[sweep]\nsettle=readings\nmax_power_w=50\npoints=refine\n"),
                "station.ini");
    start();
    EXPECT_EQ(window->station().sweep,
              (SweepSettings{SettleMode::Readings, 50.0, PlanPoints::Refine}));
    EXPECT_EQ(window->station().rig.model, 3073);

    sweepSettingsDialog->choice = SweepSettings{SettleMode::Fixed, std::nullopt};
    window->mnuSweepSettings_Click();
    EXPECT_THAT(sweepSettingsDialog->shown,
                ElementsAre(SweepSettings{SettleMode::Readings, 50.0, PlanPoints::Refine}));
    EXPECT_EQ(window->station().sweep, (SweepSettings{SettleMode::Fixed, std::nullopt}));
    EXPECT_EQ(readConfig("station.ini").toStdString(),
              rig +
                  "[sweep]\nsettle=fixed\nmax_power_w=\npoints=every\n\n[licence]\nplan=any\n"
                  "\n[bands]\nsweep=\npoints=20\n");
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_TRUE(window->timer1Enabled());
}

// A damaged file is set aside and said once, not again when the port choice runs start-up
// once more.
TEST_F(SweepSettingsTest, DamagedFileIsReportedOnceAndTheFixedWaitHolds) {
    writeConfig("[sweep]\nsettle=sometimes\n", "station.ini");
    start();
    window->controls().Combo3->setCurrentIndex(2);
    window->Combo3_Click();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_NE(messages->shown[0].find("line 2: settle=sometimes"), std::string::npos)
        << messages->shown[0];
    EXPECT_EQ(window->station().sweep, SweepSettings{});
}

}  // namespace
}  // namespace zm::test
