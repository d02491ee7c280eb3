// SPDX-License-Identifier: MIT
// The store's records: checks, rounds, each pair's memory, and what is read back of them.
#include "Store.h"

#include "Sql.h"

#include <algorithm>

namespace progress {
namespace {

using sql::Statement;

// The columns of a pair's record, from the first given on: stability, difficulty, state,
// learning step, reps, lapses, due, last review, Good, Again.
constexpr const char* kRecordColumns = "stability, difficulty, state, learning_step, reps, "
                                       "lapses, due_ms, last_review_ms, good, again";

PairRecord ReadRecord(const Statement& row, int first) {
    PairRecord record;
    record.memory = {row.Real(first),
                     row.Real(first + 1),
                     static_cast<CardState>(row.Integer(first + 2)),
                     static_cast<int>(row.Integer(first + 3)),
                     static_cast<int>(row.Integer(first + 4)),
                     static_cast<int>(row.Integer(first + 5)),
                     row.Integer(first + 6),
                     row.Integer(first + 7)};
    record.good = static_cast<int>(row.Integer(first + 8));
    record.again = static_cast<int>(row.Integer(first + 9));
    return record;
}

} // namespace

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
                        bool right, TimeMs now, const Outgoing& statement) {
    return Write([&] {
        const long long learnerId = Id("learners", "name", learner);
        const long long tableId = Id("tables", "key", table);
        Statement add(m_db, "INSERT INTO checks(time_ms, learner_id, table_id, left_text, "
                            "right_text, right) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
        add.Bind(1, now).Bind(2, learnerId).Bind(3, tableId).Bind(4, pair.first);
        add.Bind(5, pair.second).Bind(6, right).Step();
        return learnerId != 0 && tableId != 0 && add.Code() == SQLITE_OK &&
               AddOutgoing(learnerId, statement, now);
    });
}

bool Store::AddOutgoing(long long learnerId, const Outgoing& statement, TimeMs now) {
    if (statement.id.empty()) {
        return true;
    }
    Statement add(m_db, "INSERT INTO outbox(id, learner_id, time_ms, statement) "
                        "VALUES(?1, ?2, ?3, ?4)");
    add.Bind(1, statement.id).Bind(2, learnerId).Bind(3, now).Bind(4, statement.statement);
    add.Step();
    return add.Code() == SQLITE_OK;
}

std::vector<OutboxStatement> Store::WaitingStatements(std::size_t count) const {
    std::vector<OutboxStatement> waiting;
    Statement find(m_db, "SELECT row, id, statement FROM outbox WHERE sent_ms=0 AND "
                         "refused_ms=0 ORDER BY row LIMIT ?1");
    find.Bind(1, count);
    while (find.Step()) {
        waiting.push_back({find.Integer(0), find.Text(1), find.Text(2)});
    }
    return waiting;
}

bool Store::MarkSent(const std::vector<long long>& rows, TimeMs now) {
    return Write([&] {
        for (const long long row : rows) {
            Statement sent(m_db, "UPDATE outbox SET sent_ms=?1 WHERE row=?2 AND sent_ms=0");
            // A clock set back to 1970 still marks it sent.
            sent.Bind(1, std::max<TimeMs>(now, 1)).Bind(2, row).Step();
            if (sent.Code() != SQLITE_OK) {
                return false;
            }
        }
        return true;
    });
}

bool Store::MarkRefused(long long row, const std::string& answer, TimeMs now) {
    return Write([&] {
        Statement refused(m_db, "UPDATE outbox SET refused_ms=?1, answer=?2 WHERE row=?3");
        refused.Bind(1, std::max<TimeMs>(now, 1)).Bind(2, answer).Bind(3, row).Step();
        return refused.Code() == SQLITE_OK;
    });
}

OutboxState Store::Outbox() const {
    OutboxState state;
    Statement counts(m_db, "SELECT coalesce(sum(sent_ms=0 AND refused_ms=0), 0), "
                           "coalesce(sum(sent_ms>0), 0), coalesce(max(sent_ms), 0) FROM outbox");
    if (counts.Step()) {
        state.waiting = counts.Integer(0);
        state.sent = counts.Integer(1);
        state.lastSent = counts.Integer(2);
    }
    Statement refused(m_db, "SELECT id, answer, refused_ms FROM outbox WHERE refused_ms>0 "
                            "ORDER BY row");
    while (refused.Step()) {
        state.refused.push_back({refused.Text(0), refused.Text(1), refused.Integer(2)});
    }
    return state;
}

std::vector<std::string> Store::Statements(const std::string& learner) const {
    std::vector<std::string> all;
    Statement find(m_db, "SELECT statement FROM outbox JOIN learners ON learners.id=learner_id "
                         "WHERE ?1='' OR name=?1 ORDER BY row");
    find.Bind(1, learner);
    while (find.Step()) {
        all.push_back(find.Text(0));
    }
    return all;
}

bool Store::RecordRound(const std::string& learner, const std::string& table,
                        const std::vector<PairTexts>& offered, const std::vector<bool>& matched,
                        bool practice, TimeMs now, const Outgoing& statement) {
    return Write([&] {
        const long long learnerId = Id("learners", "name", learner);
        const long long tableId = Id("tables", "key", table);
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
            const std::string select = std::string("SELECT ") + kRecordColumns +
                                       " FROM memory WHERE learner_id=?1 AND pair_id=?2";
            Statement old(m_db, select.c_str());
            if (old.Bind(1, learnerId).Bind(2, pairId).Step()) {
                record = ReadRecord(old, 0);
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
        return learned.Code() == SQLITE_OK && round.Code() == SQLITE_OK &&
               AddOutgoing(learnerId, statement, now);
    });
}

std::map<PairTexts, PairRecord> Store::Pairs(const std::string& learner,
                                             const std::string& table) const {
    std::map<PairTexts, PairRecord> pairs;
    const std::string select = std::string("SELECT left_text, right_text, ") + kRecordColumns +
                               " FROM memory JOIN pairs ON pairs.id=pair_id "
                               "JOIN learners ON learners.id=learner_id "
                               "JOIN tables ON tables.id=table_id WHERE name=?1 AND key=?2";
    Statement all(m_db, select.c_str());
    all.Bind(1, learner).Bind(2, table);
    while (all.Step()) {
        pairs[{all.Text(0), all.Text(1)}] = ReadRecord(all, 2);
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
              "AND table_id=(SELECT id FROM tables WHERE key=?2) AND time_ms>=?3 GROUP BY day");
    answers.Bind(1, learner).Bind(2, table).Bind(3, since);
    while (answers.Step()) {
        DayRecord& day = days[answers.Text(0)];
        day.right = static_cast<int>(answers.Integer(1));
        day.wrong = static_cast<int>(answers.Integer(2));
    }
    Statement learned(
        m_db, "SELECT date(time_ms/1000, 'unixepoch', 'localtime') AS day, learned, max(time_ms) "
              "FROM rounds WHERE learner_id=(SELECT id FROM learners WHERE name=?1) "
              "AND table_id=(SELECT id FROM tables WHERE key=?2) AND time_ms>=?3 GROUP BY day");
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
    const std::string select = std::string("SELECT name, left_text, right_text, ") +
                               kRecordColumns +
                               " FROM memory JOIN pairs ON pairs.id=pair_id "
                               "JOIN learners ON learners.id=learner_id "
                               "JOIN tables ON tables.id=table_id WHERE key=?1 "
                               "ORDER BY name, pairs.id";
    Statement all(m_db, select.c_str());
    all.Bind(1, table);
    while (all.Step()) {
        lines.push_back({all.Text(0), all.Text(1), all.Text(2), ReadRecord(all, 3)});
    }
    return lines;
}

} // namespace progress
