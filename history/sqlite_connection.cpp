// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/sqlite_connection.h"

#include <sqlite3.h>

namespace zm {

namespace {

[[noreturn]] void fail(sqlite3* db, int code) {
    const char* what = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw SqliteError(code, what ? what : sqlite3_errstr(code));
}

void check(sqlite3* db, int code) {
    if (code != SQLITE_OK) {
        fail(db, code);
    }
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : m_db(db) {
    check(m_db, sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &m_statement,
                                   nullptr));
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int index, std::int64_t value) {
    check(m_db, sqlite3_bind_int64(m_statement, index, value));
}

void SqliteStatement::bind(int index, double value) {
    check(m_db, sqlite3_bind_double(m_statement, index, value));
}

void SqliteStatement::bind(int index, std::string_view value) {
    check(m_db, sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                                  SQLITE_TRANSIENT));
}

void SqliteStatement::bindNull(int index) {
    check(m_db, sqlite3_bind_null(m_statement, index));
}

bool SqliteStatement::step() {
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW) {
        return true;
    }
    sqlite3_reset(m_statement);
    if (code != SQLITE_DONE) {
        fail(m_db, code);
    }
    return false;
}

void SqliteStatement::run() {
    while (step()) {
    }
    sqlite3_clear_bindings(m_statement);
}

std::optional<std::int64_t> SqliteStatement::firstInteger() {
    std::optional<std::int64_t> value;
    if (step()) {
        value = integer(0);
        sqlite3_reset(m_statement);
    }
    sqlite3_clear_bindings(m_statement);
    return value;
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::real(int column) const {
    return sqlite3_column_double(m_statement, column);
}

std::optional<double> SqliteStatement::optionalReal(int column) const {
    return isNull(column) ? std::nullopt : std::optional(real(column));
}

std::string SqliteStatement::text(int column) const {
    const auto* bytes = sqlite3_column_text(m_statement, column);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                               static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)))
                 : std::string();
}

SqliteConnection::SqliteConnection(const std::filesystem::path& file, bool create) {
    // One connection a thread (see HistoryStore): SQLite's own lock around each call is not
    // needed.
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int code = sqlite3_open_v2(file.c_str(), &m_db, flags, nullptr);
    if (code != SQLITE_OK) {
        const SqliteError error(code, m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code));
        sqlite3_close(m_db);
        throw error;
    }
    sqlite3_extended_result_codes(m_db, 0);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close(m_db);
}

void SqliteConnection::run(std::string_view sql) {
    const std::string whole(sql);
    check(m_db, sqlite3_exec(m_db, whole.c_str(), nullptr, nullptr, nullptr));
}

std::int64_t SqliteConnection::integer(std::string_view sql) {
    return SqliteStatement(m_db, sql).firstInteger().value_or(0);
}

std::string SqliteConnection::text(std::string_view sql) {
    SqliteStatement statement(m_db, sql);
    return statement.step() ? statement.text(0) : std::string();
}

std::int64_t SqliteConnection::lastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteConnection::changes() const {
    return sqlite3_changes(m_db);
}

WriteTransaction::WriteTransaction(SqliteConnection& connection) : m_connection(connection) {
    m_connection.run("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
    if (!m_done) {
        sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void WriteTransaction::commit() {
    m_connection.run("COMMIT");
    m_done = true;
}

ReadTransaction::ReadTransaction(SqliteConnection& connection) : m_connection(connection) {
    m_connection.run("BEGIN");
}

ReadTransaction::~ReadTransaction() {
    sqlite3_exec(m_connection.handle(), "COMMIT", nullptr, nullptr, nullptr);
}

}  // namespace zm
