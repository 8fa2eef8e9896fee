// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-history as a script runs it, without a display, on a settings folder whose history
// holds the simulated dipole's sweeps: what each command writes, each exit status, and files
// imported each once.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <functional>

#include "feedline/reading_plane.h"
#include "history/history_store.h"
#include "results/memory_file.h"
#include "results/sweep_csv.h"
#include "results/sweep_files.h"
#include "tests/history/history_sweeps.h"

namespace zm {
namespace {

struct Result {
    int exitCode = -1;
    std::string out, err;
};

// The history of every row: sweeps 1 and 2 of the dipole a week apart, the second with its
// resonance 22 kHz lower, and sweep 3 of a loop; station.ini's limit 20 kHz.
void fillFolder(const std::filesystem::path& folder) {
    std::ofstream(folder / "station.ini") << "[history]\nresonance_khz=20\n";
    HistoryStore history(folder);
    history.record(test::dipoleEntry({}));
    history.record(test::dipoleEntry({.shiftKHz = -22, .taken = {1790604800, 120}}));
    history.record(
        test::dipoleEntry({.taken = {1790700000, 120}, .antenna = "40m loop", .band = "40m"}));
}

// Files to import: the CSV of sweep 1 as zm480-sweep wrote it, kept already; a new sweep as a
// memory of memories/ and as its CSV, which are one sweep.
void writeImports(const std::filesystem::path& folder) {
    std::string problem;
    const auto kept = HistoryStore(folder).sweep(1, problem);
    ASSERT_TRUE(kept) << problem;
    std::ofstream(folder / "kept.csv") << sweepFileText(kept->entry.record, SweepFileKind::Csv);
    SweepEntry later = test::dipoleEntry({.shiftKHz = 9});
    later.record.notes.takenAt = "2026-12-24 10:00:00";
    std::filesystem::create_directory(folder / "memories");
    std::ofstream(folder / "memories" / "memory-001.csv")
        << writeMemoryFile({"10:00 14.000-14.350 MHz", true, 2, later.record});
    std::ofstream(folder / "later.csv") << writeSweepCsv(later.record);
}

Result runHistory(const QStringList& arguments) {
    QProcess command;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    command.setProcessEnvironment(environment);
    command.start(QDir(qEnvironmentVariable("ZM_BUILD_DIR")).filePath("zm480-history"), arguments);
    Result result;
    if (!command.waitForFinished(60000)) {
        command.kill();
        command.waitForFinished();
        return result;
    }
    result.out = command.readAllStandardOutput().toStdString();
    result.err = command.readAllStandardError().toStdString();
    result.exitCode = command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1;
    return result;
}

struct CommandCase {
    const char* name;
    QStringList arguments;  // "{dir}" stands for the settings folder
    int exitStatus;
    std::string out;  // in standard output
    std::string err;  // in standard error; "" for nothing said
    bool filled = true;
    std::function<void(const std::filesystem::path& folder)> after = {};
};

void PrintTo(const CommandCase& row, std::ostream* out) {
    *out << row.name;
}

class HistoryCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(HistoryCommandTest, WritesItsAnswerAndEndsWithItsStatus) {
    const CommandCase& row = GetParam();
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    if (row.filled) {
        fillFolder(folder);
        writeImports(folder);
    }
    QStringList arguments{"--settings", dir.path()};
    for (const QString& argument : row.arguments) {
        arguments << QString(argument).replace("{dir}", dir.path());
    }
    const Result result = runHistory(arguments);
    EXPECT_EQ(result.exitCode, row.exitStatus) << result.err;
    EXPECT_NE(result.out.find(row.out), std::string::npos) << result.out;
    if (row.err.empty()) {
        EXPECT_EQ(result.err, "");
    } else {
        EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
        // A line, and after a wrong command line the line that points to --help.
        const auto lines = std::count(result.err.begin(), result.err.end(), '\n');
        EXPECT_TRUE(lines == 1 || (row.exitStatus == 2 && lines == 2)) << result.err;
    }
    if (row.after) {
        row.after(folder);
    }
}

std::vector<SweepSummary> listOf(const std::filesystem::path& folder) {
    std::string problem;
    return HistoryStore(folder).list({}, problem);
}

INSTANTIATE_TEST_SUITE_P(
    History, HistoryCommandTest,
    ::testing::Values(
        CommandCase{"ListsEverySweepOldestFirst",
                    {"list"},
                    0,
                    "1   2026-09-21 16:13  20m dipole  20m   1.14        14.170 MHz  210 kHz    "
                    "14.175 MHz  36      completed  yes\n",
                    ""},
        CommandCase{"ListsOneAntennaForAScript",
                    {"list", "--antenna", "20M DIPOLE", "--json"},
                    0,
                    "{\"history_id\":2,\"taken\":\"2026-09-28T16:13:20+02:00\",\"antenna\":"
                    "\"20m dipole\",\"band\":\"20m\"",
                    ""},
        CommandCase{"TrendSaysTheDriftBeyondTheLimit",
                    {"trend", "--antenna", "20m dipole", "--band", "20m", "--json"},
                    0,
                    "\"drift\":{\"lowest_swr_khz\":-20,\"resonance_khz\":-21.9,"
                    "\"lowest_swr\":0.00,\"beyond\":[\"resonance\"]",
                    ""},
        CommandCase{"ShowsTheSweepAsZm480SweepWritesIt",
                    {"show", "1"},
                    0,
                    "# taken: 2026-09-21 16:13:20\n# start_mhz: 14\n",
                    ""},
        CommandCase{"ShowsItAsTouchstone",
                    {"show", "2", "-o", "{dir}/sweep.s1p"},
                    0,
                    "",
                    "",
                    true,
                    [](const auto& folder) {
                        std::ifstream file(folder / "sweep.s1p");
                        std::string first;
                        std::getline(file, first);
                        EXPECT_EQ(first, "! ZM-480 Plot sweep taken 2026-09-28 16:13:20");
                    }},
        CommandCase{"NoSuchSweep", {"show", "99"}, 3, "", "there is no sweep 99 in the history"},
        CommandCase{"MarksTheReference",
                    {"reference", "2"},
                    0,
                    "",
                    "sweep 2 (20m dipole, 20m, 28 Sep 2026) is the reference of its antenna and "
                    "band now",
                    true,
                    [](const auto& folder) {
                        std::string problem;
                        EXPECT_EQ(HistoryStore(folder).reference("20m dipole", "20m", problem), 2);
                    }},
        CommandCase{"Deletes",
                    {"delete", "1"},
                    0,
                    "",
                    "sweep 1 (20m dipole, 20m, 21 Sep 2026) is deleted",
                    true,
                    [](const auto& folder) { EXPECT_EQ(listOf(folder).size(), 2u); }},
        // The memory and the CSV are one sweep; the CSV of sweep 1 is sweep 1.
        CommandCase{"ImportsEachSweepOnce",
                    {"import", "--antenna", "20m dipole", "{dir}/memories/memory-001.csv",
                     "{dir}/later.csv"},
                    0,
                    "/memories/memory-001.csv: sweep 4\n",
                    "/later.csv is in the history already, as sweep 4: passed over",
                    true,
                    [](const auto& folder) {
                        const auto sweeps = listOf(folder);
                        ASSERT_EQ(sweeps.size(), 4u);
                        EXPECT_EQ(localTimeText(sweeps.back().taken), "2026-12-24 10:00:00");
                        EXPECT_EQ(sweeps.back().band, "20m");
                    }},
        CommandCase{"ImportPassesOverASweepKeptAlready",
                    {"import", "--antenna", "20m dipole", "{dir}/kept.csv"},
                    0,
                    "",
                    "kept.csv is in the history already, as sweep 1: passed over"},
        CommandCase{"ImportSaysWhichFileItCannotRead",
                    {"import", "--antenna", "20m dipole", "{dir}/station.ini"},
                    1,
                    "",
                    "station.ini is not imported: "},
        CommandCase{"NoHistoryThere",
                    {"list"},
                    3,
                    "",
                    "there is no history in ",
                    false,
                    [](const auto& folder) {
                        EXPECT_FALSE(std::filesystem::exists(folder / "history.sqlite"));
                    }},
        CommandCase{"NoCommand", {}, 2, "", "zm480-history: no command: say list, trend,"},
        CommandCase{"UnknownCommand", {"lsit"}, 2, "", "\"lsit\" is no command"},
        CommandCase{"TrendNeedsABand",
                    {"trend", "--antenna", "20m dipole"},
                    2,
                    "",
                    "trend needs an antenna and a band"},
        CommandCase{"AnOptionOfAnotherCommand",
                    {"show", "1", "--since", "2026-01-01"},
                    2,
                    "",
                    "show takes no --since"},
        CommandCase{"NotASweepNumber", {"delete", "one"}, 2, "", "\"one\" is no sweep's number"},
        CommandCase{"NoSuchSettingsFolder",
                    {"list", "--settings", "{dir}/nowhere"},
                    2,
                    "",
                    "/nowhere: no such folder"},
        CommandCase{"Help", {"--help"}, 0, "Usage: zm480-history list [--antenna NAME]", ""},
        CommandCase{"Version", {"list", "-V"}, 0, "zm480-history (ZM-480 Plot) ", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
