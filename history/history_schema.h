// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "history/sqlite_connection.h"

namespace zm {

// Marks a file as this program's history (PRAGMA application_id): "ZM48".
inline constexpr std::int32_t kHistoryApplicationId = 0x5A4D3438;

// The schema's version (PRAGMA user_version) and, for each version, the statements that take a
// file of the version before to it: kHistoryMigrations[0] starts an empty file (version 0) at
// version 1. A later version adds its step at the end, and never changes an earlier one.
std::span<const std::string_view> historyMigrations();
int currentHistoryVersion();

// What a file holds, as far as its first page tells.
enum class HistoryFileState {
    Ours,     // our application id, a version we know
    Empty,    // version 0 and no tables: a new file, or one left empty
    Newer,    // ours, by a later version of the program
    NotOurs,  // another program's database
};
struct HistoryFileLook {
    HistoryFileState state = HistoryFileState::Empty;
    int version = 0;
};
// Throws SqliteError (SQLITE_NOTADB) for a file that is no database at all.
HistoryFileLook lookAtHistoryFile(SqliteConnection& connection);

// Brings an empty or older file to the current version, in one transaction, which a second
// program doing the same at once waits for and then finds done.
void migrateHistoryFile(SqliteConnection& connection);

}  // namespace zm
