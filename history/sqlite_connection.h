// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace zm {

// A failure of SQLite, with its result code (SQLITE_FULL, SQLITE_BUSY, ...). Thrown inside the
// history only: the store catches it at its edge and tells its caller in words.
class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& what) : std::runtime_error(what), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

// One prepared statement. Values bind from 1, columns read from 0, as SQLite counts them.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Binds the values in order from the first parameter: whole numbers, doubles, texts, and
    // none (an empty optional) as NULL.
    template <typename... Values>
    SqliteStatement& bindAll(const Values&... values) {
        int index = 0;
        (bind(++index, values), ...);
        return *this;
    }
    void bind(int index, std::int64_t value);
    void bind(int index, int value) { bind(index, static_cast<std::int64_t>(value)); }
    void bind(int index, bool value) { bind(index, static_cast<std::int64_t>(value)); }
    void bind(int index, double value);
    void bind(int index, std::string_view value);
    void bind(int index, const std::string& value) { bind(index, std::string_view(value)); }
    void bind(int index, const char* value) { bind(index, std::string_view(value)); }
    template <typename T>
    void bind(int index, const std::optional<T>& value) {
        value ? bind(index, *value) : bindNull(index);
    }
    void bindNull(int index);

    // True while there is a row to read; false once the statement is done.
    bool step();
    // Steps it through, for a statement that gives no rows; then it may be bound anew.
    void run();
    // The first column of its first row, none without a row; then it may be bound anew.
    std::optional<std::int64_t> firstInteger();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::optional<double> optionalReal(int column) const;
    std::string text(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

// A connection to one database file.
class SqliteConnection {
public:
    // Opens the file, creating it when `create` and it is not there. The busy timeout lets a
    // writer wait for another's transaction, which holds the file a few milliseconds.
    SqliteConnection(const std::filesystem::path& file, bool create);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() const { return m_db; }
    // Runs statements that give no rows, one or more separated by ";".
    void run(std::string_view sql);
    // The first column of the first row of a statement, e.g. a pragma's answer.
    std::int64_t integer(std::string_view sql);
    std::string text(std::string_view sql);
    std::int64_t lastInsertId() const;
    // The rows the last statement changed.
    int changes() const;

private:
    sqlite3* m_db = nullptr;
};

// A write transaction from its start to its commit, rolled back when it is left otherwise.
// BEGIN IMMEDIATE takes the write lock at once, so that two writers queue for it rather than
// one of them failing with "database is locked" halfway.
class WriteTransaction {
public:
    explicit WriteTransaction(SqliteConnection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    void commit();

private:
    SqliteConnection& m_connection;
    bool m_done = false;
};

// A read that sees one state of the file throughout, whatever a writer commits meanwhile.
class ReadTransaction {
public:
    explicit ReadTransaction(SqliteConnection& connection);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    SqliteConnection& m_connection;
};

// How long a connection waits for another's write lock before it gives up.
inline constexpr int kBusyTimeoutMs = 5000;

}  // namespace zm
