// SPDX-License-Identifier: MIT
// The store's own helpers over SQLite's C API: a prepared statement, and a statement run once.
#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <type_traits>

namespace progress::sql {

// A prepared statement, finalised when it goes.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (db != nullptr) {
            m_code = sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
        }
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // A value that cannot be bound (too long, say) fails the statement: it is never run, and
    // Code() tells why.
    Statement& Bind(int index, const std::string& text) {
        return Bound(sqlite3_bind_text(m_statement, index, text.data(),
                                       static_cast<int>(text.size()), SQLITE_TRANSIENT));
    }
    template <typename Number>
    requires std::is_integral_v<Number> Statement& Bind(int index, Number number) {
        return Bound(sqlite3_bind_int64(m_statement, index, static_cast<sqlite3_int64>(number)));
    }
    Statement& Bind(int index, double number) {
        return Bound(sqlite3_bind_double(m_statement, index, number));
    }
    // True while there is a row; the error, if any, is in Code().
    bool Step() {
        if (m_statement == nullptr || m_code != SQLITE_OK) {
            return false;
        }
        const int code = sqlite3_step(m_statement);
        if (code == SQLITE_ROW) {
            return true;
        }
        m_code = code == SQLITE_DONE ? SQLITE_OK : code;
        return false;
    }
    [[nodiscard]] int Code() const {
        return m_statement == nullptr && m_code == SQLITE_OK ? SQLITE_MISUSE : m_code;
    }
    [[nodiscard]] long long Integer(int column) const {
        return sqlite3_column_int64(m_statement, column);
    }
    [[nodiscard]] double Real(int column) const {
        return sqlite3_column_double(m_statement, column);
    }
    [[nodiscard]] std::string Text(int column) const {
        const auto* text = sqlite3_column_text(m_statement, column);
        return text == nullptr ? std::string()
                               : std::string(reinterpret_cast<const char*>(text),
                                             static_cast<std::size_t>(
                                                 sqlite3_column_bytes(m_statement, column)));
    }

private:
    Statement& Bound(int code) {
        if (m_code == SQLITE_OK && m_statement != nullptr) {
            m_code = code;
        }
        return *this;
    }

    sqlite3_stmt* m_statement = nullptr;
    int m_code = SQLITE_OK;
};

inline bool Execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace progress::sql
