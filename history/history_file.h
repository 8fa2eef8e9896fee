// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "history/sqlite_connection.h"

namespace zm {

// Why the history file cannot be used as it stands, in words for the user, whole: "... is a
// history of a newer ZM-480 Plot ...".
class HistoryRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The history file open and at the current version, in WAL mode, its writes on the disk
// before a commit returns. A file of an older version is brought up to date; one that is no
// database of ours is set aside (see setHistoryAside) and, with `create`, a new one started;
// `notice` then says so. None without a file when `create` is false. Throws SqliteError
// when SQLite cannot open or change it, HistoryRefusal for a newer version's file, which is
// left as it is.
std::unique_ptr<SqliteConnection> openHistoryFile(const std::filesystem::path& file, bool create,
                                                  std::string& notice);

// Renames a damaged file, and its -wal and -shm beside it, to the first free name of
// history.sqlite.bad, history.sqlite.bad.2, ...: nothing of it is lost or overwritten. The
// notice for the user says what was wrong (`what`: "it is damaged: ...") and where it is kept.
// Throws HistoryRefusal when it cannot be renamed.
std::string setHistoryAside(const std::filesystem::path& file, const std::string& what);

// Whether SQLite's code means a file that is not a database or is damaged.
bool isDamage(int sqliteCode);

// The cause of a failure in words for the user, with what to do: "the disk is full. Free some
// space; the next sweep is kept again".
std::string historyCause(const SqliteError& error);

// The inode of the file, 0 when it is not there: another program may set it aside.
unsigned long historyFileIdentity(const std::filesystem::path& file);

}  // namespace zm
