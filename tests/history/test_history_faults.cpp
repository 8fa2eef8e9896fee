// SPDX-License-Identifier: GPL-3.0-or-later
// A history that cannot be written: the sweep is not kept, that is said in one line that names
// the file and the cause, nothing throws, and once the fault is gone the next sweep is kept
// beside the earlier ones.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>

#include "history/history_store.h"
#include "tests/history/full_disk_vfs.h"
#include "tests/history/history_sweeps.h"
#include "tests/history/temp_folder.h"

namespace zm {
namespace {

using test::dipoleEntry;

struct FaultCase {
    const char* name;
    // Brings the fault about, on the file through the disk; what it returns ends it.
    std::function<std::function<void()>(const std::filesystem::path& file, test::FullDiskVfs& disk)>
        fault;
    const char* cause;
};

void PrintTo(const FaultCase& row, std::ostream* out) {
    *out << row.name;
}

class HistoryWriteFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(HistoryWriteFault, IsSaidInOneLineAndTheNextSweepIsKept) {
    test::FullDiskVfs disk;
    test::TempFolder folder;
    HistoryStore history(folder.path());
    ASSERT_TRUE(history.record(dipoleEntry({})).id);

    const std::function<void()> end = GetParam().fault(history.filePath(), disk);
    const HistoryStore::Recorded failed =
        history.record(dipoleEntry({.shiftKHz = 10, .taken = {1790086400, 120}}));
    end();
    EXPECT_FALSE(failed.id);
    EXPECT_EQ(failed.said.rfind("The sweep is not in the history: " + history.filePath().string() +
                                    " could not be written: ",
                                0),
              0u)
        << failed.said;
    EXPECT_NE(failed.said.find(GetParam().cause), std::string::npos) << failed.said;
    EXPECT_EQ(failed.said.find('\n'), std::string::npos);

    const HistoryStore::Recorded next =
        history.record(dipoleEntry({.shiftKHz = 20, .taken = {1790172800, 120}}));
    EXPECT_TRUE(next.id) << next.said;
    std::string problem;
    EXPECT_TRUE(history.verify(problem)) << problem;
    EXPECT_EQ(history.list({}, problem).size(), 2u);
}

std::function<void()> fillTheDisk(const std::filesystem::path&, test::FullDiskVfs& disk) {
    disk.setFull(true);
    return [&disk] { disk.setFull(false); };
}

// Another program in the middle of a write that does not end.
std::function<void()> holdTheWriteLock(const std::filesystem::path& file, test::FullDiskVfs&) {
    sqlite3* other = nullptr;
    sqlite3_open(file.c_str(), &other);
    sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    return [other] {
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    };
}

INSTANTIATE_TEST_SUITE_P(
    History, HistoryWriteFault,
    ::testing::Values(FaultCase{"FullDisk", fillTheDisk, "the disk is full. Free some space"},
                      FaultCase{"LockedByAnotherProgram", holdTheWriteLock,
                                "another program kept it locked for more than 5 s"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
