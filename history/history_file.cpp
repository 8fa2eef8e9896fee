// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/history_file.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

#include "history/history_schema.h"

namespace zm {

namespace {

// A file that is there, a database, and ours at a version we know, or empty.
// Its marks and its tables are read in one snapshot: read one by one, another program's
// first sweep committed in between would show tables without our mark.
void checkIsOurs(SqliteConnection& connection, const std::filesystem::path& file) {
    const HistoryFileLook look = [&] {
        ReadTransaction snapshot(connection);
        return lookAtHistoryFile(connection);
    }();
    if (look.state == HistoryFileState::Newer) {
        throw HistoryRefusal(file.string() +
                             " is the history of a newer ZM-480 Plot (its version " +
                             std::to_string(look.version) + ", this program's " +
                             std::to_string(currentHistoryVersion()) +
                             "): it is left as it is and no sweep is kept in it until you "
                             "update ZM-480 Plot");
    }
    if (look.state == HistoryFileState::NotOurs) {
        throw SqliteError(SQLITE_NOTADB, "it is another program's database");
    }
}

// SQLite answers "busy" at once, without waiting for the busy timeout, where waiting could
// deadlock: a journal mode changed, or a read turned into a write, while another program
// creates the same new file. Two programs that sweep their first sweep at once are then
// taken in turn here, for as long as the busy timeout would have waited.
template <typename Work>
void inTurn(Work&& work) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
    for (;;) {
        try {
            work();
            return;
        } catch (const SqliteError& error) {
            if ((error.code() != SQLITE_BUSY && error.code() != SQLITE_LOCKED) ||
                std::chrono::steady_clock::now() >= deadline) {
                throw;
            }
        }
        // At a pace of its own: two programs that tried at the same moment and sleep alike
        // would meet again at each try.
        static thread_local std::minstd_rand pace(static_cast<unsigned>(::getpid()));
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + pace() % 40));
    }
}

void setUp(SqliteConnection& connection, const std::filesystem::path& file) {
    checkIsOurs(connection, file);
    // Answered with the mode in force, which stays the old one when the change was refused.
    if (connection.text("PRAGMA journal_mode = WAL") != "wal") {
        throw SqliteError(SQLITE_BUSY, "its journal could not be put in WAL mode");
    }
    connection.run("PRAGMA synchronous = FULL");
    connection.run("PRAGMA foreign_keys = ON");
    if (lookAtHistoryFile(connection).version < currentHistoryVersion()) {
        migrateHistoryFile(connection);
        checkIsOurs(connection, file);  // another program's may have got there first
    }
}

bool isThere(const std::filesystem::path& file) {
    std::error_code ignored;
    return std::filesystem::exists(file, ignored);
}

}  // namespace

std::unique_ptr<SqliteConnection> openHistoryFile(const std::filesystem::path& file, bool create,
                                                  std::string& notice) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!create && !isThere(file)) {
            return nullptr;
        }
        auto connection = std::make_unique<SqliteConnection>(file, create);
        try {
            inTurn([&] { setUp(*connection, file); });
            return connection;
        } catch (const SqliteError& error) {
            if (!isDamage(error.code()) || attempt > 0) {
                throw;
            }
            connection.reset();
            const std::string set = setHistoryAside(file, error.what());
            notice += (notice.empty() ? "" : " ") + set;
        }
    }
    return nullptr;
}

std::string setHistoryAside(const std::filesystem::path& file, const std::string& what) {
    std::filesystem::path bad = file.string() + ".bad";
    for (int n = 2; isThere(bad) || isThere(bad.string() + "-wal"); ++n) {
        bad = file.string() + ".bad." + std::to_string(n);
    }
    if (std::rename(file.c_str(), bad.c_str()) != 0) {
        throw HistoryRefusal(file.string() + " is no history of ZM-480 Plot or is damaged (" +
                             what + ") and could not be set aside: " + std::strerror(errno) +
                             "; move it away and the next sweep starts a new history");
    }
    for (const char* companion : {"-wal", "-shm"}) {
        const std::string from = file.string() + companion;
        if (isThere(from)) {
            std::rename(from.c_str(), (bad.string() + companion).c_str());
        }
    }
    return file.string() + " was no history of ZM-480 Plot or was damaged (" + what +
           "): it is kept as " + bad.string() + " and a new history is started.";
}

bool isDamage(int sqliteCode) {
    return sqliteCode == SQLITE_NOTADB || sqliteCode == SQLITE_CORRUPT;
}

std::string historyCause(const SqliteError& error) {
    switch (error.code()) {
        case SQLITE_FULL:
            return "the disk is full. Free some space; the next sweep is kept again";
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return "the folder or the file may not be written (" + std::string(error.what()) +
                   "). Check their owner and permissions";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "another program kept it locked for more than " +
                   std::to_string(kBusyTimeoutMs / 1000) +
                   " s. Close the other program that has it open, or wait for it";
        case SQLITE_IOERR:
            return "the disk failed to read or write it (" + std::string(error.what()) +
                   "). Check the disk";
        default:
            return error.what();
    }
}

unsigned long historyFileIdentity(const std::filesystem::path& file) {
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0 ? static_cast<unsigned long>(status.st_ino) : 0;
}

}  // namespace zm
