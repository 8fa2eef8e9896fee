// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-sweep keeping its sweeps in the history, run as a process on zm480-sim's dipole
// behind Hamlib's dummy rig: the antenna's sweeps numbered, compared with the first, the
// drift beyond station.ini's limit turned into status 5 by --alert, and a history that
// cannot be written said once while the sweeps go on as before.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/support/sweep_command_process.h"

namespace zm::test {
namespace {

using ::testing::HasSubstr;

// The summary's JSON lines, a band each, in what the command wrote on standard output.
std::vector<QJsonObject> summaries(const std::string& out) {
    std::vector<QJsonObject> objects;
    for (const QByteArray& line : QByteArray::fromStdString(out).split('\n')) {
        if (line.startsWith('{')) {
            objects.push_back(QJsonDocument::fromJson(line).object());
        }
    }
    return objects;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class SweepHistoryCommand : public ::testing::Test {
protected:
    void SetUp() override {
        if (RigctldProcess::executable().empty()) {
            GTEST_SKIP() << "rigctld is not installed";
        }
        std::string whyNot;
        ASSERT_TRUE(rigctld.start({}, whyNot)) << whyNot;
        writeCommandSettings(folder.path(), "[rig]\nport=" + std::to_string(rigctld.port()) +
                                                "\n[history]\nresonance_khz=15\n");
    }

    // One run with the simulated dipole's resonance moved by `shiftKHz`.
    SweepCommandResult sweep(int shiftKHz, const QStringList& arguments) {
        const RunningSim meter(
            folder.filePath("ports/com1"),
            {"--antenna", "--rig", "127.0.0.1:" + QString::number(rigctld.port()), "--shift",
             QString::number(shiftKHz)});
        EXPECT_TRUE(meter.started());
        return runSweepCommand(QStringList{"--settings", folder.path(), "--summary", "json"} +
                               arguments);
    }

    QTemporaryDir folder;
    RigctldProcess rigctld;
};

TEST_F(SweepHistoryCommand, KeepsEachSweepUnderItsAntennaAndAlertsWhenItDrifts) {
    const struct {
        int shiftKHz;
        int exitStatus;
        QJsonArray beyond;  // empty for the reference, which has no drift
    } runs[] = {{0, 0, {}}, {5, 0, {}}, {-30, 5, {"resonance"}}};
    const QStringList arguments{"--antenna", "20m dipole", "--band",
                                "20m",       "--points",   "8",
                                "--alert",   "-o",         folder.filePath("20m.csv")};
    for (std::size_t i = 0; i < std::size(runs); ++i) {
        SCOPED_TRACE(runs[i].shiftKHz);
        const SweepCommandResult ran = sweep(runs[i].shiftKHz, arguments);
        EXPECT_EQ(ran.exitCode, runs[i].exitStatus) << ran.err;
        const std::vector<QJsonObject> json = summaries(ran.out);
        ASSERT_EQ(json.size(), 1u) << ran.out;
        EXPECT_EQ(json[0]["antenna"].toString(), "20m dipole");
        EXPECT_EQ(json[0]["history_id"].toInt(), int(i) + 1);
        EXPECT_EQ(json[0]["reference"]["history_id"].toInt(), 1) << ran.out;
        if (i == 0) {
            EXPECT_TRUE(json[0]["drift"].isNull());
            continue;
        }
        // The same points each time: the resonance moves as far as the antenna did.
        EXPECT_NEAR(json[0]["drift"]["resonance_khz"].toDouble(), runs[i].shiftKHz, 2.0) << ran.out;
        EXPECT_EQ(json[0]["drift"]["beyond"].toArray(), runs[i].beyond);
    }
}

// A history file that cannot be opened (here a folder in its place): said once for the run,
// and the bands swept, written and summed up as without a history.
TEST_F(SweepHistoryCommand, AHistoryThatCannotBeWrittenIsSaidOnceAndChangesNothingElse) {
    ASSERT_TRUE(QDir(folder.path()).mkpath("history.sqlite/in-the-way"));
    const SweepCommandResult ran =
        sweep(0, {"--band", "20m,17m", "--points", "3", "-o", folder.filePath("s.csv")});
    EXPECT_EQ(ran.exitCode, 0) << ran.err;
    EXPECT_EQ(occurrences(ran.err, "history.sqlite"), 1u) << ran.err;
    const std::vector<QJsonObject> json = summaries(ran.out);
    ASSERT_EQ(json.size(), 2u) << ran.out;
    for (const QJsonObject& band : json) {
        EXPECT_EQ(band["keyed_points"].toInt(), 3);
        EXPECT_TRUE(band["history_id"].isNull());
    }
    EXPECT_TRUE(QFile::exists(folder.filePath("s-20m.csv")));
    EXPECT_TRUE(QFile::exists(folder.filePath("s-17m.csv")));
}

}  // namespace
}  // namespace zm::test
