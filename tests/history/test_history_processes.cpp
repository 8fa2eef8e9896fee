// SPDX-License-Identifier: GPL-3.0-or-later
// Programs that share a history: two writing at once lose nothing, and one killed at any
// moment leaves a file that opens, passes SQLite's integrity check and holds whole sweeps.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "history/history_store.h"
#include "tests/history/temp_folder.h"

extern char** environ;

namespace zm {
namespace {

pid_t startWriter(const std::filesystem::path& folder, int count, int tag) {
    const std::string program =
        (std::filesystem::path(std::getenv("ZM_BUILD_DIR")) / "tests" / "history_writer").string();
    const std::string countText = std::to_string(count);
    const std::string tagText = std::to_string(tag);
    const std::string folderText = folder.string();
    const char* argv[] = {program.c_str(), folderText.c_str(), countText.c_str(), tagText.c_str(),
                          nullptr};
    pid_t pid = -1;
    posix_spawn(&pid, program.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ);
    return pid;
}

int exitStatusOf(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The file as SQLite sees it, apart from the store: what it says of its integrity, how many
// sweeps it holds, and how many of them lack a point or their resonance.
struct FileCheck {
    std::string integrity;
    std::int64_t sweeps = 0;
    std::int64_t broken = 0;
};

std::int64_t count(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    const std::int64_t value =
        sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
    sqlite3_finalize(statement);
    return value;
}

FileCheck checkFile(const std::filesystem::path& file) {
    FileCheck check;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {"does not open", 0, 0};
    }
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        check.integrity += reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
    if (count(db, "SELECT count(*) FROM sqlite_schema") == 0) {
        sqlite3_close(db);
        return check;  // killed before its schema was committed: an empty file, taken up anew
    }
    check.sweeps = count(db, "SELECT count(*) FROM sweeps");
    check.broken = count(db,
                         "SELECT count(*) FROM sweeps s WHERE s.plan_points <> (SELECT count(*) "
                         "FROM points p WHERE p.sweep_id = s.id) OR NOT EXISTS (SELECT 1 FROM "
                         "resonances r WHERE r.sweep_id = s.id)");
    sqlite3_close(db);
    return check;
}

TEST(HistoryProcesses, TwoWritingAtOnceLoseNoSweep) {
    test::TempFolder folder;
    constexpr int kEach = 150;
    const pid_t first = startWriter(folder.path(), kEach, 1);
    const pid_t second = startWriter(folder.path(), kEach, 2);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(exitStatusOf(first), 0);
    EXPECT_EQ(exitStatusOf(second), 0);
    const FileCheck check = checkFile(folder / "history.sqlite");
    EXPECT_EQ(check.integrity, "ok");
    EXPECT_EQ(check.sweeps, 2 * kEach);
    EXPECT_EQ(check.broken, 0);
}

// SIGKILL at a random moment of a writer's life, again and again on the same file: while it
// creates the file, opens it, writes a sweep or commits it.
TEST(HistoryProcesses, AWriterKilledAtAnyMomentLeavesWholeSweeps) {
    test::TempFolder folder;
    constexpr int kKills = 40;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> lifeMs(0, 300);
    std::int64_t before = 0;
    int grew = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t writer = startWriter(folder.path(), 0, kill);
        ASSERT_GT(writer, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(lifeMs(random)));
        ::kill(writer, SIGKILL);
        EXPECT_EQ(exitStatusOf(writer), -1);
        if (!std::filesystem::exists(folder / "history.sqlite")) {
            continue;  // killed before it made the file
        }
        const FileCheck check = checkFile(folder / "history.sqlite");
        ASSERT_EQ(check.integrity, "ok") << "kill " << kill << ", seed " << seed;
        ASSERT_EQ(check.broken, 0) << "kill " << kill << ", seed " << seed;
        ASSERT_GE(check.sweeps, before);
        grew += check.sweeps > before ? 1 : 0;
        before = check.sweeps;
    }
    std::string problem;
    HistoryStore history(folder.path());
    EXPECT_TRUE(history.verify(problem)) << problem;
    EXPECT_EQ(static_cast<std::int64_t>(history.list({}, problem).size()), before);
    EXPECT_EQ(problem, "");
    std::cout << kKills << " writers killed (seed " << seed << "), " << grew
              << " after keeping sweeps: " << before << " whole sweeps, none broken\n";
}

}  // namespace
}  // namespace zm
