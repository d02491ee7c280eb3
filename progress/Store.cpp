// SPDX-License-Identifier: MIT
#include "Store.h"

#include <array>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sqlite3.h>
#include <system_error>
#include <type_traits>

namespace progress {
namespace {

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

std::string Fill(std::string text, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        // Appended, not joined with +: GCC 12 warns falsely of an overlap in the latter.
        std::string mark(1, '%');
        mark += std::to_string(i + 1);
        const std::size_t at = text.find(mark);
        if (at != std::string::npos) {
            text.replace(at, mark.size(), values[i]);
        }
    }
    return text;
}

constexpr const char* kSchema = R"sql(
CREATE TABLE learners(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);
CREATE TABLE tables(id INTEGER PRIMARY KEY, title TEXT NOT NULL UNIQUE);
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

    Statement& Bind(int index, const std::string& text) {
        sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    template <typename Number>
    requires std::is_integral_v<Number> Statement& Bind(int index, Number number) {
        sqlite3_bind_int64(m_statement, index, static_cast<sqlite3_int64>(number));
        return *this;
    }
    Statement& Bind(int index, double number) {
        sqlite3_bind_double(m_statement, index, number);
        return *this;
    }
    // True while there is a row; the error, if any, is in Code().
    bool Step() {
        if (m_statement == nullptr) {
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
    sqlite3_stmt* m_statement = nullptr;
    int m_code = SQLITE_OK;
};

bool Execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

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

Store::Store(std::filesystem::path path, TimeMs now, Cancellation* cancel)
    : m_path(std::move(path)) {
    Open(now, cancel);
    if (m_cancel != nullptr) {
        m_cancel->Watch(nullptr);
        m_cancel = nullptr;
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
    sqlite3_busy_timeout(m_db, 5000);
    return true;
}

void Store::Open(TimeMs now, Cancellation* cancel) {
    const std::string file = PathText(m_path);
    std::error_code error;
    std::filesystem::create_directories(m_path.parent_path(), error);
    if (error) {
        m_message = Fill(kNoFolder, {file, error.message()});
        return;
    }
    if (std::filesystem::is_directory(m_path, error)) {
        m_message = Fill(kFolderInPlace, {file});
        return;
    }
    // The header tells whose file it is, and of which version, before SQLite touches it.
    const bool exists = std::filesystem::exists(m_path, error);
    const auto size = exists ? std::filesystem::file_size(m_path, error) : 0;
    if (exists && size > 0) {
        std::array<unsigned char, 100> header{};
        std::streamsize read = 0;
        {
            // Closed again before anything is renamed: Windows renames no open file.
            std::ifstream in(m_path, std::ios::binary);
            if (!in) {
                m_message = Fill(kReadOnly, {file});
                return;
            }
            in.read(reinterpret_cast<char*>(header.data()), header.size());
            read = in.gcount();
        }
        const bool sqlite = read == static_cast<std::streamsize>(header.size()) &&
                            std::memcmp(header.data(), "SQLite format 3", 16) == 0;
        if (!sqlite) {
            KeepAside("damaged", now, "не е база от данни", cancel);
            return;
        }
        if (HeaderNumber(header, 68) != kApplicationId) {
            KeepAside("other", now, "база от данни на друга програма", cancel);
            return;
        }
        if (HeaderNumber(header, 60) > kSchemaVersion) {
            m_message = Fill(kNewer, {file});
            return;
        }
        // Shorter than its header says, with no log to make up the rest: cut off.
        const long long pageSize =
            header[16] * 256 + header[17] == 1 ? 65536 : header[16] * 256 + header[17];
        std::filesystem::path log = m_path;
        log += "-wal";
        const bool logged =
            std::filesystem::exists(log, error) && std::filesystem::file_size(log, error) > 0;
        if (HeaderNumber(header, 92) == HeaderNumber(header, 24) && !logged &&
            pageSize * HeaderNumber(header, 28) > static_cast<long long>(size)) {
            KeepAside("damaged", now, "файлът е непълен", cancel);
            return;
        }
    }
    if (!OpenDatabase(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, cancel)) {
        if (cancel != nullptr && cancel->Cancelled()) {
            return;
        }
        m_message = Fill(kReadOnly, {file});
        return;
    }
    if (exists && size > 0) {
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
            return;
        }
        if ((code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB) {
            damage = sqlite3_errstr(code);
        } else if (code != SQLITE_OK) {
            // Not the file's fault: the folder or the file does not let it be read.
            Failed(code);
            Close();
            return;
        }
        if (!damage.empty()) {
            Close();
            KeepAside("damaged", now, damage, cancel);
            return;
        }
    } else if (!CreateSchema()) {
        const int code = sqlite3_extended_errcode(m_db);
        Failed(code);
        Close();
        return;
    }
    // A write, to learn now and not at the first check whether this folder takes one.
    m_recording = true;
    if (!Execute(m_db, "PRAGMA journal_mode=WAL") || !Write([] { return true; })) {
        if (m_message.empty()) {
            m_message = Fill(kReadOnly, {file});
        }
        m_recording = false;
        // What can be read is still shown.
    }
    Execute(m_db, "PRAGMA synchronous=NORMAL");
}

bool Store::CreateSchema() {
    std::string sql = "BEGIN IMMEDIATE;";
    sql += kSchema;
    sql.append("PRAGMA application_id=").append(std::to_string(kApplicationId)).append(";");
    sql.append("PRAGMA user_version=").append(std::to_string(kSchemaVersion)).append(";COMMIT;");
    if (Execute(m_db, sql.c_str())) {
        return true;
    }
    Execute(m_db, "ROLLBACK");
    return false;
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
    m_recording = false;
    const std::string file = PathText(m_path);
    switch (code & 0xff) {
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

long long Store::Id(const char* table, const char* column, const std::string& value) {
    const std::string insert =
        std::string("INSERT OR IGNORE INTO ") + table + "(" + column + ") VALUES(?1)";
    Statement add(m_db, insert.c_str());
    add.Bind(1, value).Step();
    if (add.Code() != SQLITE_OK) {
        return 0;
    }
    const std::string select = std::string("SELECT id FROM ") + table + " WHERE " + column + "=?1";
    Statement find(m_db, select.c_str());
    return find.Bind(1, value).Step() ? find.Integer(0) : 0;
}

std::string Store::ChosenLearner() const {
    Statement find(m_db, "SELECT value FROM settings WHERE key='learner'");
    return find.Step() ? find.Text(0) : std::string();
}

bool Store::ChooseLearner(const std::string& name) {
    return Write([&] {
        Statement set(m_db, "INSERT OR REPLACE INTO settings(key, value) VALUES('learner', ?1)");
        set.Bind(1, name).Step();
        return set.Code() == SQLITE_OK && Id("learners", "name", name) != 0;
    });
}

std::vector<std::string> Store::Learners() const {
    std::vector<std::string> names;
    Statement all(m_db, "SELECT name FROM learners ORDER BY name");
    while (all.Step()) {
        names.push_back(all.Text(0));
    }
    return names;
}

bool Store::RecordCheck(const std::string& learner, const std::string& table, const PairTexts& pair,
                        bool right, TimeMs now) {
    return Write([&] {
        const long long learnerId = Id("learners", "name", learner);
        const long long tableId = Id("tables", "title", table);
        Statement add(m_db, "INSERT INTO checks(time_ms, learner_id, table_id, left_text, "
                            "right_text, right) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
        add.Bind(1, now).Bind(2, learnerId).Bind(3, tableId).Bind(4, pair.first);
        add.Bind(5, pair.second).Bind(6, right).Step();
        return learnerId != 0 && tableId != 0 && add.Code() == SQLITE_OK;
    });
}

bool Store::RecordRound(const std::string& learner, const std::string& table,
                        const std::vector<PairTexts>& offered, const std::vector<bool>& matched,
                        bool practice, TimeMs now) {
    return Write([&] {
        const long long learnerId = Id("learners", "name", learner);
        const long long tableId = Id("tables", "title", table);
        if (learnerId == 0 || tableId == 0) {
            return false;
        }
        int right = 0;
        for (std::size_t i = 0; i < offered.size(); ++i) {
            Statement addPair(m_db, "INSERT OR IGNORE INTO pairs(table_id, left_text, right_text) "
                                    "VALUES(?1, ?2, ?3)");
            addPair.Bind(1, tableId).Bind(2, offered[i].first).Bind(3, offered[i].second).Step();
            Statement findPair(m_db, "SELECT id FROM pairs WHERE table_id=?1 AND left_text=?2 "
                                     "AND right_text=?3");
            findPair.Bind(1, tableId).Bind(2, offered[i].first).Bind(3, offered[i].second);
            if (addPair.Code() != SQLITE_OK || !findPair.Step()) {
                return false;
            }
            const long long pairId = findPair.Integer(0);
            PairRecord record;
            Statement old(m_db, "SELECT stability, difficulty, state, learning_step, reps, lapses, "
                                "due_ms, last_review_ms, good, again FROM memory "
                                "WHERE learner_id=?1 AND pair_id=?2");
            if (old.Bind(1, learnerId).Bind(2, pairId).Step()) {
                record.memory = {old.Real(0),
                                 old.Real(1),
                                 static_cast<CardState>(old.Integer(2)),
                                 static_cast<int>(old.Integer(3)),
                                 static_cast<int>(old.Integer(4)),
                                 static_cast<int>(old.Integer(5)),
                                 old.Integer(6),
                                 old.Integer(7)};
                record.good = static_cast<int>(old.Integer(8));
                record.again = static_cast<int>(old.Integer(9));
            }
            const bool good = i < matched.size() && matched[i];
            right += good ? 1 : 0;
            // A clock set back must not stop the recording: the review counts as at the last.
            const TimeMs at = std::max(now, record.memory.lastReview);
            record.memory = Review(record.memory, at, good ? Rating::kGood : Rating::kAgain);
            (good ? record.good : record.again) += 1;
            Statement save(m_db, "INSERT OR REPLACE INTO memory VALUES(?1, ?2, ?3, ?4, ?5, ?6, "
                                 "?7, ?8, ?9, ?10, ?11, ?12)");
            const MemoryState& m = record.memory;
            save.Bind(1, learnerId).Bind(2, pairId).Bind(3, m.stability).Bind(4, m.difficulty);
            save.Bind(5, static_cast<int>(m.state)).Bind(6, m.learningStep);
            save.Bind(7, m.reps).Bind(8, m.lapses);
            save.Bind(9, m.due).Bind(10, m.lastReview);
            save.Bind(11, record.good).Bind(12, record.again);
            save.Step();
            if (save.Code() != SQLITE_OK) {
                return false;
            }
        }
        Statement learned(m_db, "SELECT count(*) FROM memory JOIN pairs ON pairs.id=pair_id "
                                "WHERE learner_id=?1 AND table_id=?2 AND stability>=?3");
        learned.Bind(1, learnerId).Bind(2, tableId).Bind(3, kLearnedStability);
        const long long learnedCount = learned.Step() ? learned.Integer(0) : 0;
        Statement round(m_db, "INSERT INTO rounds(time_ms, learner_id, table_id, practice, "
                              "offered, matched, learned) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
        round.Bind(1, now).Bind(2, learnerId).Bind(3, tableId).Bind(4, practice);
        round.Bind(5, offered.size()).Bind(6, right);
        round.Bind(7, learnedCount).Step();
        return learned.Code() == SQLITE_OK && round.Code() == SQLITE_OK;
    });
}

std::map<PairTexts, PairRecord> Store::Pairs(const std::string& learner,
                                             const std::string& table) const {
    std::map<PairTexts, PairRecord> pairs;
    Statement all(m_db, "SELECT left_text, right_text, stability, difficulty, state, "
                        "learning_step, reps, lapses, due_ms, last_review_ms, good, again "
                        "FROM memory JOIN pairs ON pairs.id=pair_id "
                        "JOIN learners ON learners.id=learner_id "
                        "JOIN tables ON tables.id=table_id WHERE name=?1 AND title=?2");
    all.Bind(1, learner).Bind(2, table);
    while (all.Step()) {
        PairRecord& record = pairs[{all.Text(0), all.Text(1)}];
        record.memory = {all.Real(2),
                         all.Real(3),
                         static_cast<CardState>(all.Integer(4)),
                         static_cast<int>(all.Integer(5)),
                         static_cast<int>(all.Integer(6)),
                         static_cast<int>(all.Integer(7)),
                         all.Integer(8),
                         all.Integer(9)};
        record.good = static_cast<int>(all.Integer(10));
        record.again = static_cast<int>(all.Integer(11));
    }
    return pairs;
}

std::vector<DayRecord> Store::Days(const std::string& learner, const std::string& table,
                                   TimeMs since) const {
    std::map<std::string, DayRecord> days;
    // SQLite's localtime is the C library's, as the rest of the program's.
    Statement answers(
        m_db, "SELECT date(time_ms/1000, 'unixepoch', 'localtime') AS day, sum(right), "
              "sum(1-right) FROM checks WHERE learner_id=(SELECT id FROM learners WHERE name=?1) "
              "AND table_id=(SELECT id FROM tables WHERE title=?2) AND time_ms>=?3 GROUP BY day");
    answers.Bind(1, learner).Bind(2, table).Bind(3, since);
    while (answers.Step()) {
        DayRecord& day = days[answers.Text(0)];
        day.right = static_cast<int>(answers.Integer(1));
        day.wrong = static_cast<int>(answers.Integer(2));
    }
    Statement learned(
        m_db, "SELECT date(time_ms/1000, 'unixepoch', 'localtime') AS day, learned, max(time_ms) "
              "FROM rounds WHERE learner_id=(SELECT id FROM learners WHERE name=?1) "
              "AND table_id=(SELECT id FROM tables WHERE title=?2) AND time_ms>=?3 GROUP BY day");
    learned.Bind(1, learner).Bind(2, table).Bind(3, since);
    while (learned.Step()) {
        days[learned.Text(0)].learned = static_cast<int>(learned.Integer(1));
    }
    std::vector<DayRecord> ordered;
    for (auto& [date, day] : days) {
        day.date = date;
        ordered.push_back(day);
    }
    return ordered;
}

std::vector<ReportRecord> Store::Report(const std::string& table) const {
    std::vector<ReportRecord> lines;
    Statement all(m_db, "SELECT name, left_text, right_text, stability, difficulty, state, "
                        "learning_step, reps, lapses, due_ms, last_review_ms, good, again "
                        "FROM memory JOIN pairs ON pairs.id=pair_id "
                        "JOIN learners ON learners.id=learner_id "
                        "JOIN tables ON tables.id=table_id WHERE title=?1 "
                        "ORDER BY name, pairs.id");
    all.Bind(1, table);
    while (all.Step()) {
        ReportRecord line{all.Text(0), all.Text(1), all.Text(2), {}};
        line.record.memory = {all.Real(3),
                              all.Real(4),
                              static_cast<CardState>(all.Integer(5)),
                              static_cast<int>(all.Integer(6)),
                              static_cast<int>(all.Integer(7)),
                              static_cast<int>(all.Integer(8)),
                              all.Integer(9),
                              all.Integer(10)};
        line.record.good = static_cast<int>(all.Integer(11));
        line.record.again = static_cast<int>(all.Integer(12));
        lines.push_back(line);
    }
    return lines;
}

} // namespace progress
