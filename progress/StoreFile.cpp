// SPDX-License-Identifier: MIT
// The store's file: opening or making it, keeping a bad one aside, and telling what happened.
#include "Sql.h"
#include "Store.h"

#include <array>
#include <cstring>
#include <ctime>
#include <fstream>
#include <system_error>

namespace progress {
namespace {

using sql::Execute;
using sql::Statement;

// What the learner is told; each names the file.
constexpr const char* kDamaged =
    "Напредъкът не можа да се прочете: файлът „%1“ е повреден (%2). Той е запазен като „%3“, а "
    "напредъкът продължава в нов файл.";
constexpr const char* kForeign =
    "Напредъкът не можа да се прочете: файлът „%1“ не е на Тревика (%2). Той е запазен като "
    "„%3“, а напредъкът продължава в нов файл.";
constexpr const char* kNewer =
    "Напредъкът не се записва: файлът „%1“ е от по-нова версия на Тревика. Файлът е оставен "
    "непроменен.";
constexpr const char* kFolderInPlace =
    "Напредъкът не се записва: на мястото на файла „%1“ има папка.";
constexpr const char* kNoFolder = "Напредъкът не се записва: папката на файла „%1“ не може да се "
                                  "създаде (%2).";
constexpr const char* kReadOnly =
    "Напредъкът не се записва: файлът „%1“ или папката му са само за четене.";
constexpr const char* kCannotKeepAside =
    "Напредъкът не се записва: файлът „%1“ е повреден (%2), а не може да бъде преименуван, за "
    "да се запази (%3).";
constexpr const char* kDiskFull = "Напредъкът не се записва: дискът е пълен. Записаното досега "
                                  "във файла „%1“ е запазено.";
constexpr const char* kWriteFailed =
    "Напредъкът не се записва: грешка при запис във файла „%1“ (%2).";
// Why, where a write was refused with no error of SQLite's: a record it needed was not there.
constexpr const char* kNotTaken = "записът не беше приет";

// The statements to send, each made once with its id; sent_ms is 0 until sent, refused_ms 0
// unless the learning record store refused it, with its answer.
constexpr const char* kOutboxSchema = R"sql(
CREATE TABLE outbox(row INTEGER PRIMARY KEY, id TEXT NOT NULL UNIQUE,
                    learner_id INTEGER NOT NULL REFERENCES learners(id),
                    time_ms INTEGER NOT NULL, statement TEXT NOT NULL,
                    sent_ms INTEGER NOT NULL DEFAULT 0, refused_ms INTEGER NOT NULL DEFAULT 0,
                    answer TEXT NOT NULL DEFAULT '');
CREATE INDEX outbox_waiting ON outbox(sent_ms, refused_ms, row);
)sql";

// What each version's file needs to become the next one's, from version 1 on. Version 1 knew a
// table by its title, and the built-in table by the title the window showed then, which stays
// here as it was written, whatever the window says today; version 2 knows it by a key.
constexpr const char* kUpgrades[] = {
    "ALTER TABLE tables RENAME COLUMN title TO key;"
    "UPDATE tables SET key = CASE key WHEN 'География - национални туристически обекти' "
    "THEN 'built-in' ELSE 'table:' || key END;",
    kOutboxSchema,
};
static_assert(std::size(kUpgrades) == Store::kSchemaVersion - 1);

// The text with %1 to %9 replaced by the values, in one pass: a value that holds "%2" itself,
// as a folder's name may, stays as it is.
std::string Fill(const std::string& text, const std::vector<std::string>& values) {
    std::string filled;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto value = at + 1 < text.size() && text[at] == '%'
                               ? static_cast<std::size_t>(text[at + 1] - '1')
                               : values.size();
        if (value < values.size()) {
            filled += values[value];
            ++at;
        } else {
            filled += text[at];
        }
    }
    return filled;
}

constexpr const char* kSchema = R"sql(
CREATE TABLE learners(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);
CREATE TABLE tables(id INTEGER PRIMARY KEY, key TEXT NOT NULL UNIQUE);
CREATE TABLE pairs(id INTEGER PRIMARY KEY, table_id INTEGER NOT NULL REFERENCES tables(id),
                   left_text TEXT NOT NULL, right_text TEXT NOT NULL,
                   UNIQUE(table_id, left_text, right_text));
CREATE TABLE checks(id INTEGER PRIMARY KEY, time_ms INTEGER NOT NULL,
                    learner_id INTEGER NOT NULL REFERENCES learners(id),
                    table_id INTEGER NOT NULL REFERENCES tables(id),
                    left_text TEXT NOT NULL, right_text TEXT NOT NULL, right INTEGER NOT NULL);
CREATE INDEX checks_by_learner ON checks(learner_id, table_id, time_ms);
CREATE TABLE rounds(id INTEGER PRIMARY KEY, time_ms INTEGER NOT NULL,
                    learner_id INTEGER NOT NULL REFERENCES learners(id),
                    table_id INTEGER NOT NULL REFERENCES tables(id),
                    practice INTEGER NOT NULL, offered INTEGER NOT NULL,
                    matched INTEGER NOT NULL, learned INTEGER NOT NULL);
CREATE INDEX rounds_by_learner ON rounds(learner_id, table_id, time_ms);
CREATE TABLE memory(learner_id INTEGER NOT NULL REFERENCES learners(id),
                    pair_id INTEGER NOT NULL REFERENCES pairs(id),
                    stability REAL NOT NULL, difficulty REAL NOT NULL, state INTEGER NOT NULL,
                    learning_step INTEGER NOT NULL, reps INTEGER NOT NULL,
                    lapses INTEGER NOT NULL, due_ms INTEGER NOT NULL,
                    last_review_ms INTEGER NOT NULL, good INTEGER NOT NULL,
                    again INTEGER NOT NULL, PRIMARY KEY(learner_id, pair_id)) WITHOUT ROWID;
CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL);
)sql";

// A big-endian 32-bit number of the file's header.
long long HeaderNumber(const std::array<unsigned char, 100>& header, std::size_t at) {
    return static_cast<std::int32_t>((std::uint32_t{header[at]} << 24) |
                                     (std::uint32_t{header[at + 1]} << 16) |
                                     (std::uint32_t{header[at + 2]} << 8) | header[at + 3]);
}

std::string LocalStamp(TimeMs now) {
    const auto seconds = static_cast<std::time_t>(now / 1000);
    std::tm local{};
    const std::tm* converted = std::localtime(&seconds);
    if (converted != nullptr) {
        local = *converted;
    }
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    return stamp.data();
}

std::string PathText(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

// The tables and indexes a file declares, as SQLite keeps them.
std::string SchemaOf(sqlite3* db) {
    std::string schema;
    Statement all(db, "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name");
    while (all.Step()) {
        for (int column = 0; column < 4; ++column) {
            schema.append(all.Text(column)).append(1, '\n');
        }
    }
    return schema;
}

// What this version declares: a file of ours whose schema says otherwise is not to be trusted.
const std::string& OurSchema() {
    static const std::string schema = [] {
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        Execute(db, kSchema);
        Execute(db, kOutboxSchema);
        std::string made = SchemaOf(db);
        sqlite3_close(db);
        return made;
    }();
    return schema;
}

} // namespace

void Cancellation::Cancel() {
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
    if (m_db != nullptr) {
        sqlite3_interrupt(m_db);
    }
}

bool Cancellation::Cancelled() {
    const std::lock_guard lock(m_mutex);
    return m_cancelled;
}

bool Cancellation::Watch(sqlite3* db) {
    const std::lock_guard lock(m_mutex);
    m_db = m_cancelled ? nullptr : db;
    return !m_cancelled;
}

Store::Store(std::filesystem::path path, TimeMs now, Cancellation* cancel,
             std::chrono::milliseconds busyTimeout)
    : m_path(std::move(path)), m_busyTimeout(busyTimeout) {
    Open(now, cancel);
    if (m_cancel != nullptr) {
        m_cancel->Watch(nullptr);
        m_cancel = nullptr;
    }
    // Opening waits as long as a window that is making or upgrading the file may take; the
    // writes after it, as long as their writer chose.
    if (m_db != nullptr) {
        sqlite3_busy_timeout(m_db, static_cast<int>(m_busyTimeout.count()));
    }
}

bool Store::Cancelled() const {
    return m_cancel != nullptr && m_cancel->Cancelled();
}

Store::~Store() {
    Close();
}

void Store::Close() {
    // No longer to be interrupted: the connection is going.
    if (m_cancel != nullptr) {
        m_cancel->Watch(nullptr);
        m_cancel = nullptr;
    }
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_recording = false;
}

bool Store::OpenDatabase(int flags, Cancellation* cancel) {
    const std::string name = PathText(m_path);
    if (sqlite3_open_v2(name.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        Close();
        return false;
    }
    if (cancel != nullptr && !cancel->Watch(m_db)) {
        Close();
        return false;
    }
    m_cancel = cancel;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, static_cast<int>(kBusyTimeout.count()));
    return true;
}

// What the file's place and header say, before SQLite touches the file: the steps of an
// opening follow from it.
struct Store::Found {
    enum class Kind {
        kNone,         // nothing, or an empty file: a store is made
        kStore,        // a store of ours of this version or an earlier one, or one being made
        kRefused,      // the message says why; the file stays as it is
        kNotADatabase, // kept aside as damaged
        kForeign,      // kept aside as another program's
        kCutOff,       // kept aside as damaged
    };
    Kind kind = Kind::kNone;
    int version = 0;
};

Store::Found Store::Look() {
    const std::string file = PathText(m_path);
    std::error_code error;
    std::filesystem::create_directories(m_path.parent_path(), error);
    if (error) {
        m_message = Fill(kNoFolder, {file, error.message()});
        return {Found::Kind::kRefused};
    }
    if (std::filesystem::is_directory(m_path, error)) {
        m_message = Fill(kFolderInPlace, {file});
        return {Found::Kind::kRefused};
    }
    const bool exists = std::filesystem::exists(m_path, error);
    const auto size = exists ? std::filesystem::file_size(m_path, error) : 0;
    if (!exists || size == 0) {
        return {Found::Kind::kNone};
    }
    std::array<unsigned char, 100> header{};
    std::streamsize read = 0;
    {
        // Closed again before anything is renamed: Windows renames no open file.
        std::ifstream in(m_path, std::ios::binary);
        if (!in) {
            m_message = Fill(kReadOnly, {file});
            return {Found::Kind::kRefused};
        }
        in.read(reinterpret_cast<char*>(header.data()), header.size());
        read = in.gcount();
    }
    const int version = static_cast<int>(HeaderNumber(header, 60));
    std::filesystem::path log = m_path;
    log += "-wal";
    const bool logged =
        std::filesystem::exists(log, error) && std::filesystem::file_size(log, error) > 0;
    // Another window that is making the file this moment has its journal beside it, or makes
    // it grow: its header is not judged then, SQLite's locks wait for it instead.
    std::filesystem::path journal = m_path;
    journal += "-journal";
    if (std::filesystem::exists(journal, error) ||
        std::filesystem::file_size(m_path, error) != size) {
        return {Found::Kind::kStore, version};
    }
    if (read != static_cast<std::streamsize>(header.size()) ||
        std::memcmp(header.data(), "SQLite format 3", 16) != 0) {
        return {Found::Kind::kNotADatabase};
    }
    if (HeaderNumber(header, 68) != kApplicationId) {
        return {Found::Kind::kForeign};
    }
    if (version > kSchemaVersion) {
        m_message = Fill(kNewer, {file});
        return {Found::Kind::kRefused};
    }
    // Shorter than its header says, with no log to make up the rest: cut off.
    const long long pageSize =
        header[16] * 256 + header[17] == 1 ? 65536 : header[16] * 256 + header[17];
    if (HeaderNumber(header, 92) == HeaderNumber(header, 24) && !logged &&
        pageSize * HeaderNumber(header, 28) > static_cast<long long>(size)) {
        return {Found::Kind::kCutOff};
    }
    return {Found::Kind::kStore, version};
}

void Store::Open(TimeMs now, Cancellation* cancel) {
    ++m_openings;
    const Found found = Look();
    switch (found.kind) {
    case Found::Kind::kRefused:
        return;
    case Found::Kind::kNotADatabase:
        KeepAside("damaged", now, "не е база от данни", cancel);
        return;
    case Found::Kind::kForeign:
        KeepAside("other", now, "база от данни на друга програма", cancel);
        return;
    case Found::Kind::kCutOff:
        KeepAside("damaged", now, "файлът е непълен", cancel);
        return;
    case Found::Kind::kNone:
    case Found::Kind::kStore:
        break;
    }
    if (!OpenDatabase(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, cancel)) {
        if (cancel == nullptr || !cancel->Cancelled()) {
            m_message = Fill(kReadOnly, {PathText(m_path)});
        }
        return;
    }
    const bool ready =
        found.kind == Found::Kind::kStore ? Check(found.version, now, cancel) : Make(now, cancel);
    if (ready) {
        StartRecording();
    }
}

// A file of ours, read whole for damage and brought up to this version; false when the
// opening ends here (kept aside, refused, cancelled or opened again).
bool Store::Check(int version, TimeMs now, Cancellation* cancel) {
    std::string damage;
    int code = SQLITE_OK;
    {
        Statement check(m_db, "PRAGMA quick_check");
        if (check.Step()) {
            damage = check.Text(0) == "ok" ? std::string() : check.Text(0);
        } else {
            code = check.Code();
        }
    }
    if (Cancelled()) {
        Close();
        return false;
    }
    if ((code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB) {
        damage = sqlite3_errstr(code);
    } else if (code != SQLITE_OK) {
        // Not the file's fault: the folder or the file does not let it be read.
        Failed(code);
        Close();
        return false;
    }
    if (damage.empty()) {
        const Upgraded upgraded = Upgrade(version);
        if (upgraded == Upgraded::kFailed) {
            // A file that cannot be written to stays as it was, unread by this version.
            Failed(sqlite3_extended_errcode(m_db));
            Close();
            return false;
        }
        if (upgraded == Upgraded::kNotOurs) {
            damage = "таблиците в него не са на Тревика";
        }
    }
    if (!damage.empty()) {
        Close();
        KeepAside("damaged", now, damage, cancel);
        return false;
    }
    return true;
}

// A new store in the empty file; false when the opening ends here.
bool Store::Make(TimeMs now, Cancellation* cancel) {
    switch (CreateSchema()) {
    case Made::kMade:
        return true;
    case Made::kByAnother:
        // Opened again as the file it now is, to be checked as every file is.
        Close();
        if (m_openings < 3) {
            Open(now, cancel);
        } else {
            m_message = Fill(kWriteFailed, {PathText(m_path), kNotTaken});
        }
        return false;
    case Made::kFailed:
        break;
    }
    Failed(sqlite3_extended_errcode(m_db));
    Close();
    return false;
}

void Store::StartRecording() {
    // A write, to learn now and not at the first check whether this folder takes one. A file
    // that another window holds just then is taken as one that will be written.
    m_recording = true;
    const bool logged =
        Execute(m_db, "PRAGMA journal_mode=WAL") || (sqlite3_errcode(m_db) & 0xff) == SQLITE_BUSY;
    if (!logged || (!Write([] { return true; }) && !m_busy)) {
        if (m_message.empty()) {
            m_message = Fill(kReadOnly, {PathText(m_path)});
        }
        m_recording = false;
        // What can be read is still shown.
    }
    Execute(m_db, "PRAGMA synchronous=NORMAL");
}

Store::Made Store::CreateSchema() {
    // Another window may be making the same file at this moment: whoever comes second finds
    // the tables there once its transaction begins.
    if (!Execute(m_db, "BEGIN IMMEDIATE")) {
        return Made::kFailed;
    }
    Statement tables(m_db, "SELECT count(*) FROM sqlite_master");
    if (!tables.Step()) {
        Execute(m_db, "ROLLBACK");
        return Made::kFailed;
    }
    if (tables.Integer(0) > 0) {
        Execute(m_db, "ROLLBACK");
        return Made::kByAnother;
    }
    std::string sql = kSchema;
    sql.append(kOutboxSchema);
    sql.append("PRAGMA application_id=").append(std::to_string(kApplicationId)).append(";");
    sql.append("PRAGMA user_version=").append(std::to_string(kSchemaVersion)).append(";");
    if (Execute(m_db, sql.c_str()) && Execute(m_db, "COMMIT")) {
        return Made::kMade;
    }
    Execute(m_db, "ROLLBACK");
    return Made::kFailed;
}

// Brings a file of an earlier version up to this one, in one transaction, and tells whether
// its tables are then this version's, or that it could not be written. Another window may have done
// it since the header was read: the version is read again inside the transaction.
Store::Upgraded Store::Upgrade(int version) {
    if (version >= kSchemaVersion) {
        return SchemaOf(m_db) == OurSchema() ? Upgraded::kOurs : Upgraded::kNotOurs;
    }
    if (!Execute(m_db, "BEGIN IMMEDIATE")) {
        return Upgraded::kFailed;
    }
    Statement current(m_db, "PRAGMA user_version");
    version = current.Step() ? static_cast<int>(current.Integer(0)) : kSchemaVersion + 1;
    bool upgraded = version >= 1 && version <= kSchemaVersion;
    for (int from = version; upgraded && from < kSchemaVersion; ++from) {
        upgraded = Execute(m_db, kUpgrades[from - 1]);
    }
    const std::string setVersion = "PRAGMA user_version=" + std::to_string(kSchemaVersion);
    upgraded = upgraded && SchemaOf(m_db) == OurSchema();
    if (!upgraded) {
        Execute(m_db, "ROLLBACK");
        return Upgraded::kNotOurs;
    }
    if (!Execute(m_db, setVersion.c_str()) || !Execute(m_db, "COMMIT")) {
        Execute(m_db, "ROLLBACK");
        return Upgraded::kFailed;
    }
    return Upgraded::kOurs;
}

void Store::KeepAside(const char* kind, TimeMs now, const std::string& why, Cancellation* cancel) {
    const std::string file = PathText(m_path);
    std::filesystem::path aside = m_path;
    aside.replace_filename(m_path.stem().string() + "." + kind + "-" + LocalStamp(now) +
                           m_path.extension().string());
    for (int n = 2; std::filesystem::exists(aside); ++n) {
        aside.replace_filename(m_path.stem().string() + "." + kind + "-" + LocalStamp(now) + "-" +
                               std::to_string(n) + m_path.extension().string());
    }
    std::error_code error;
    std::filesystem::rename(m_path, aside, error);
    if (error) {
        m_message = Fill(kCannotKeepAside, {file, why, error.message()});
        return;
    }
    // Its log and index go with it: they belong to that file, not to the new one.
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        std::filesystem::path part = m_path;
        part += suffix;
        std::filesystem::path partAside = aside;
        partAside += suffix;
        if (std::filesystem::exists(part, error)) {
            std::filesystem::rename(part, partAside, error);
        }
    }
    const std::string text =
        Fill(std::strcmp(kind, "damaged") == 0 ? kDamaged : kForeign, {file, why, PathText(aside)});
    Open(now, cancel);
    if (m_message.empty()) {
        m_message = text;
    }
}

bool Store::Write(const std::function<bool()>& body) {
    m_busy = false;
    if (!m_recording) {
        return false;
    }
    if (!Execute(m_db, "BEGIN IMMEDIATE")) {
        Failed(sqlite3_extended_errcode(m_db));
        return false;
    }
    if (body() && Execute(m_db, "COMMIT")) {
        return true;
    }
    const int code = sqlite3_extended_errcode(m_db);
    Execute(m_db, "ROLLBACK");
    Failed(code);
    return false;
}

void Store::Failed(int code) {
    const std::string file = PathText(m_path);
    // Another program held the file past the wait: this write is not made, later ones may be.
    if ((code & 0xff) == SQLITE_BUSY && m_recording) {
        m_busy = true;
        return;
    }
    m_recording = false;
    switch (code & 0xff) {
    case SQLITE_OK:
        m_message = Fill(kWriteFailed, {file, kNotTaken});
        break;
    case SQLITE_FULL:
        m_message = Fill(kDiskFull, {file});
        break;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        m_message = Fill(kReadOnly, {file});
        break;
    default:
        // A file size limit shows as an I/O error of a write.
        m_message = code == SQLITE_IOERR_WRITE || code == SQLITE_IOERR_TRUNCATE
                        ? Fill(kDiskFull, {file})
                        : Fill(kWriteFailed, {file, sqlite3_errstr(code)});
        break;
    }
}

} // namespace progress
