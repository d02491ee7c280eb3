// SPDX-License-Identifier: MIT
// The progress store's tests' helpers: a folder of their own, files' bytes, SQLite at hand.
#pragma once

#include <Store.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>
#include <sstream>
#include <string>
#include <thread>

namespace storetest {

// 2026-12-09 10:15 UTC.
inline constexpr progress::TimeMs kNow = 1'796'811'300'000;

// A new empty folder under the system's temporary one, removed with everything in it. Its name
// holds "%2", which the store's messages must show as it is.
class Folder {
public:
    Folder() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("trevika-store-%2-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }
    [[nodiscard]] std::filesystem::path File() const { return m_path / "progress.sqlite"; }

private:
    std::filesystem::path m_path;
};

inline std::string Bytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The files in the folder other than the store and its log, such as one kept aside.
inline std::vector<std::filesystem::path> KeptAside(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("progress.sqlite", 0) != 0) {
            kept.push_back(entry.path());
        }
    }
    return kept;
}

// A number from a query, by SQLite itself, as another program would read the file.
inline long long Query(const std::filesystem::path& path, const char* sql) {
    sqlite3* db = nullptr;
    long long value = -1;
    if (sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            value = sqlite3_column_type(statement, 0) == SQLITE_TEXT
                        ? (std::string(reinterpret_cast<const char*>(
                               sqlite3_column_text(statement, 0))) == "ok"
                               ? 1
                               : 0)
                        : sqlite3_column_int64(statement, 0);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return value;
}

// Records a check and says whether it was recorded.
inline bool Check(progress::Store& store, int n, progress::TimeMs at = kNow) {
    return store.RecordCheck("Ана", "Таблица", {"Ямбол " + std::to_string(n), "Кабиле"}, n % 2 == 0,
                             at);
}

} // namespace storetest
