// SPDX-License-Identifier: GPL-3.0-or-later
// station.ini: what users and scripts write in it is read as they meant it, a fault is
// named by its line, and writing the file back loses nothing of theirs.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/station_store.h"
#include "station/station_file.h"

namespace zm {
namespace {

const std::string kIc7300 =
    "; my station\n"
    "[rig]\n"
    "server=own\n"
    "model=3073\n"
    "device=/dev/serial/by-id/usb-Silicon_Labs_CP2102_IC-7300_03001234-if00-port0\n"
    "baud=19200\n"
    "civaddr=0x94\n"
    "ptt=RIG\n"
    "port=4532\n"
    "\n"
    "[sweep]\n"
    "settle=readings\n"
    "max_power_w=50\n"
    "points=refine\n"
    "\n"
    "[licence]\n"
    "plan=iaru1\n"
    "\n"
    "[bands]\n"
    "sweep=80m,40m,20m\n"
    "points=20\n";

TEST(StationFile, TheDocumentedExampleReadsAsWritten) {
    const StationFileRead read = readStationText(kIc7300);
    ASSERT_EQ(read.damage, "");
    const RigSettings& rig = read.settings.rig;
    EXPECT_EQ(rig.server, RigServerChoice::Own);
    EXPECT_EQ(rig.model, 3073);
    EXPECT_EQ(rig.device, "/dev/serial/by-id/usb-Silicon_Labs_CP2102_IC-7300_03001234-if00-port0");
    EXPECT_EQ(rig.baud, 19200);
    EXPECT_EQ(rig.civAddress, 0x94);
    EXPECT_EQ(rig.ptt, PttMethod::Rig);
    EXPECT_EQ(rig.port, 4532);
    EXPECT_EQ(read.settings.sweep.settle, SettleMode::Readings);
    EXPECT_EQ(read.settings.sweep.maxPowerW, 50.0);
    EXPECT_EQ(read.settings.sweep.points, PlanPoints::Refine);
    EXPECT_EQ(read.settings.licence.plan, "iaru1");
    EXPECT_EQ(read.settings.bands.sweep, (std::vector<std::string>{"80m", "40m", "20m"}));
    EXPECT_EQ(read.settings.bands.points, 20);
    EXPECT_EQ(writeStationText(read.settings, kIc7300), kIc7300);
}

// A feedline of the list, and a custom one by its figures at two frequencies.
TEST(StationFile, FeedlineKeysReadAsWrittenAndWriteBackUnchanged) {
    const std::string text = kIc7300 +
                             "\n[feedline]\ncable=custom\nlength_m=20.5\nvf=0.66\n"
                             "loss_db_per_100m=1.4,4.9\nloss_at_mhz=10,100\nshow=meter\n";
    const StationFileRead read = readStationText(text);
    ASSERT_EQ(read.damage, "");
    const FeedlineSettings& feedline = read.settings.feedline;
    EXPECT_EQ(feedline.cable, "custom");
    EXPECT_EQ(feedline.lengthM, 20.5);
    EXPECT_EQ(feedline.velocityFactor, 0.66);
    EXPECT_EQ(feedline.lossDbPer100m, (std::vector<double>{1.4, 4.9}));
    EXPECT_EQ(feedline.lossAtMHz, (std::vector<double>{10, 100}));
    EXPECT_FALSE(feedline.showAtAntenna);
    EXPECT_EQ(writeStationText(read.settings, text), text);
}

// The drift limits, the antenna in use and the radio's sockets tied to antennas; a tie
// dropped goes from the file, a new one joins its section, the rest stays in place.
TEST(StationFile, HistoryAndAntennaKeysReadAsWrittenAndFollowTheirChanges) {
    const std::string text = kIc7300 +
                             "\n[history]\nresonance_khz=20\nswr=0.25\n"
                             "\n[antennas]\nin_use=40m dipole\nant1=40m dipole\n; spare\n"
                             "ant3=20m yagi\n";
    const StationFileRead read = readStationText(text);
    ASSERT_EQ(read.damage, "");
    EXPECT_EQ(read.settings.history, (HistorySettings{20.0, 0.25}));
    const AntennaSettings& antennas = read.settings.antennas;
    EXPECT_EQ(antennas.inUse, "40m dipole");
    EXPECT_EQ(antennas.sockets, (std::map<int, std::string>{{1, "40m dipole"}, {3, "20m yagi"}}));
    EXPECT_EQ(writeStationText(read.settings, text), text);
    EXPECT_EQ(antennaInUse(antennas, 3), "20m yagi");
    EXPECT_EQ(antennaInUse(antennas, 2), "40m dipole");  // a socket tied to none
    EXPECT_EQ(antennaInUse(AntennaSettings{}, std::nullopt), "Antenna 1");

    StationSettings changed = read.settings;
    renameAntennaIn(changed.antennas, "40M DIPOLE", "Inverted V");
    changed.antennas.sockets.erase(3);
    changed.antennas.sockets[2] = "80m loop";
    EXPECT_EQ(writeStationText(changed, text),
              kIc7300 +
                  "\n[history]\nresonance_khz=20\nswr=0.25\n"
                  "\n[antennas]\nin_use=Inverted V\nant1=Inverted V\n; spare\nant2=80m loop\n");
}

TEST(StationFile, NoFileMeansARigctldTheUserStartsOn4532AndTheFixedWait) {
    const StationSettings none = readStationText("").settings;
    EXPECT_EQ(none.rig.server, RigServerChoice::External);
    EXPECT_EQ(none.rig.port, 4532);
    EXPECT_EQ(none.sweep.settle, SettleMode::Fixed);
    EXPECT_EQ(none.sweep.maxPowerW, std::nullopt);
    EXPECT_EQ(none.sweep.points, PlanPoints::Every);
    EXPECT_EQ(none.licence.plan, "any");
    EXPECT_EQ(writeStationText(none),
              "[rig]\nserver=external\nmodel=\ndevice=\nbaud=\ncivaddr=\nptt=RIG\nport=4532\n"
              "\n[sweep]\nsettle=fixed\nmax_power_w=\npoints=every\n\n[licence]\nplan=any\n"
              "\n[bands]\nsweep=\npoints=20\n");
}

struct DamageCase {
    const char* name;
    std::string text;
    std::string damage;
};

class StationFileDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(StationFileDamage, IsNamedByItsLineAndGivesTheDefaults) {
    const StationFileRead read = readStationText(GetParam().text);
    EXPECT_EQ(read.damage, GetParam().damage);
    EXPECT_EQ(read.settings, StationSettings{});
}

INSTANTIATE_TEST_SUITE_P(
    Station, StationFileDamage,
    ::testing::Values(
        // rigctld reads -c 94 as decimal 94 (0x5E), an address an IC-7300 never answers.
        DamageCase{"BareCivAddressIsNotTakenAsDecimal", "[rig]\nserver=own\ncivaddr=94\n",
                   "line 3: civaddr=94 must be the radio's CI-V address in hex, e.g. 0x94, or "
                   "empty for the radio's default"},
        DamageCase{"VelocityFactorAboveOne", "[feedline]\ncable=custom\nvf=1.5\n",
                   "line 3: vf=1.5 must be a velocity factor above 0 and up to 1, e.g. 0.66, or "
                   "empty"},
        DamageCase{"ThreeLosses", "[feedline]\nloss_db_per_100m=1,2,3\n",
                   "line 2: loss_db_per_100m=1,2,3 must be one or two losses in dB per 100 m "
                   "above 0, e.g. 1.4,4.9, or empty"},
        DamageCase{"PttOutsideTheThreeTypes", "[rig]\r\nptt=RIGG\r\n",
                   "line 2: ptt=RIGG must be RIG, DTR or RTS"},
        DamageCase{"PortBeyondTcp", "[rig]\nport=65536\n",
                   "line 2: port=65536 must be a TCP port from 1 to 65535"},
        DamageCase{"BaudNotANumber", "[rig]\nbaud=fast\n",
                   "line 2: baud=fast must be a rate in bit/s, e.g. 19200, or empty for the "
                   "radio's default"},
        DamageCase{"NegativeCeiling", "[sweep]\nmax_power_w=-5\n",
                   "line 2: max_power_w=-5 must be a power in watts above 0, e.g. 50, or empty "
                   "for no ceiling"},
        DamageCase{"SettleWord", "[sweep]\nsettle=fast\n",
                   "line 2: settle=fast must be fixed (the 1.0 s wait) or readings (until the "
                   "meter's readings settle)"},
        DamageCase{"PointsWord", "[sweep]\npoints=some\n",
                   "line 2: points=some must be every (each point of the plan, in order) or "
                   "refine (only the points the curve needs)"},
        DamageCase{"PointsPerBandBeyondTheDialogsRange", "[bands]\nsweep=40m\npoints=501\n",
                   "line 3: points=501 must be the number of points in each band's sweep, from "
                   "3 to 500, e.g. 20"},
        DamageCase{"PlanWithABlank", "[licence]\nplan=iaru 1\n",
                   "line 2: plan=iaru 1 must be a band plan: any, iaru1, iaru2, iaru3, "
                   "us-extra, us-general or own (bands.ini)"},
        DamageCase{"DriftLimitNotAbove0", "[history]\nresonance_khz=-5\n",
                   "line 2: resonance_khz=-5 must be how far in kHz a resonance may move from "
                   "the reference's, e.g. 15"},
        DamageCase{"SocketTiedTwice", "[antennas]\nant2=40m dipole\nant2=20m yagi\n",
                   "line 3: ant2 is given twice in [antennas] (first on line 2)"},
        DamageCase{"KeyTwice", "[rig]\nport=4532\n\n[rig]\nport=4533\n",
                   "line 5: port is given twice in [rig] (first on line 2)"},
        DamageCase{"KeyBeforeAnySection", "port=4532\n",
                   "line 1: port=4532 stands before any [section]"},
        DamageCase{"StrayText", "[rig]\nserver own\n",
                   "line 2: \"server own\" is neither a [section], a key=value line nor a "
                   "comment"}),
    [](const auto& info) { return std::string(info.param.name); });

// What a user or a later version put in the file stays where it was.
TEST(StationFile, WritingKeepsCommentsUnknownSectionsAndKeysInPlace) {
    const std::string before =
        "# rig first\n[rig]\nport=4533\nfuture_key=1\n\n[memories]\nshown=a,b\n"
        "[bands]\nsweep= 80m, ,4m \n";
    StationSettings settings = readStationText(before).settings;
    settings.rig.server = RigServerChoice::Own;
    settings.rig.civAddress = 0x5E;
    EXPECT_EQ(writeStationText(settings, before),
              "# rig first\n[rig]\nport=4533\nfuture_key=1\nserver=own\nmodel=\ndevice=\nbaud=\n"
              "civaddr=0x5E\nptt=RIG\n\n[memories]\nshown=a,b\n"
              "[bands]\nsweep=80m,4m\npoints=20\n"
              "\n[sweep]\nsettle=fixed\nmax_power_w=\npoints=every\n\n[licence]\nplan=any\n");
}

TEST(StationStore, ADamagedFileIsReportedOnceAndKeptAsBad) {
    QTemporaryDir dir;
    QFile file(dir.filePath("station.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[rig]\nserver=own\nptt=CAT\n");
    file.close();

    const StationStore store(dir.path());
    std::string report;
    EXPECT_EQ(store.load(report), StationSettings{});
    const std::string path = dir.filePath("station.ini").toStdString();
    EXPECT_EQ(report, "The station settings in " + path +
                          " were not used: line 3: ptt=CAT must be RIG, DTR or RTS. The file is "
                          "kept as " +
                          path +
                          ".bad; the program runs with a rigctld that you "
                          "start on 127.0.0.1:4532 until you choose your station again in Setup, "
                          "Station.");
    EXPECT_TRUE(QFile::exists(dir.filePath("station.ini.bad")));
    store.load(report);
    EXPECT_EQ(report, "");  // once

    StationSettings own;
    own.rig.server = RigServerChoice::Own;
    std::string whyNot;
    ASSERT_TRUE(store.save(own, whyNot)) << whyNot;
    EXPECT_EQ(store.load(report), own);
}

}  // namespace
}  // namespace zm
