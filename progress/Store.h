// SPDX-License-Identifier: MIT
// The learner's store: every check, every round and each pair's memory, in one SQLite file.
#pragma once

#include "Fsrs.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace progress {

// A pair is known by its two texts, so that a table that gains rows keeps what was learned of
// the old ones; a table is known by its key (see TableKey in Learning.h), which no change of a
// caption's wording moves.
using PairTexts = std::pair<std::string, std::string>;

// What the store knows of one pair for the learner: the model's state, and how many ended
// rounds rated it Good (checked right) and Again (missed).
struct PairRecord {
    MemoryState memory;
    int good = 0;
    int again = 0;
};

// One local day's answers, and how many pairs were learned when its last round ended (-1:
// no round ended that day).
struct DayRecord {
    std::string date; // yyyy-mm-dd, local time
    int right = 0;
    int wrong = 0;
    int learned = -1;
};

// One line of a teacher's report.
struct ReportRecord {
    std::string learner;
    std::string left;
    std::string right;
    PairRecord record;
};

// A statement to send about a check or a round, written in the same transaction: its id (a
// UUID, made once) and its JSON.
struct Outgoing {
    std::string id;
    std::string statement;
};

// A statement in the outbox, waiting to be sent: its row, its id, its JSON.
struct OutboxStatement {
    long long row = 0;
    std::string id;
    std::string statement;
};

// A statement that the learning record store refused, kept aside with its answer.
struct RefusedStatement {
    std::string id;
    std::string answer;
    TimeMs time = 0;
};

// How the outbox stands.
struct OutboxState {
    long long waiting = 0;
    long long sent = 0;
    TimeMs lastSent = 0; // 0: never
    std::vector<RefusedStatement> refused;
};

// A pair counts as learned once the model expects it to be remembered a week from now.
inline constexpr double kLearnedStability = 7.0;
[[nodiscard]] inline bool Learned(const MemoryState& memory) {
    return memory.stability >= kLearnedStability;
}
// Seen before, and its time has come.
[[nodiscard]] inline bool Due(const MemoryState& memory, TimeMs now) {
    return memory.state != CardState::kNew && memory.due <= now;
}

// Lets another thread cut the opening of a store short: SQLite stops reading the file.
class Cancellation {
public:
    void Cancel();

private:
    friend class Store;
    // The connection being opened, while it may be interrupted; false once cancelled.
    bool Watch(sqlite3* db);
    bool Cancelled();
    std::mutex m_mutex;
    sqlite3* m_db = nullptr;
    bool m_cancelled = false;
};

// Opens the file, or makes it, when constructed; an existing file is read whole for damage
// (SQLite's quick_check) before anything is written to it. Whatever is wrong with it, the
// store never throws and never deletes or overwrites what a learner kept: a file that is not a
// store of ours, or is damaged, is moved aside under a new name and a new store is made; a store of
// a newer version, a folder in the file's place, a read-only file or folder, and a full disk leave
// the store not recording (and, where it cannot be read, not reading). Message() then says in
// Bulgarian what happened and where the file is. Each write is a transaction of its own; the
// journal is SQLite's write-ahead log, so that a process killed at any moment loses at most the
// write in flight, and two windows of one learner both record, one waiting for the other; a
// write that waits past the busy timeout is not recorded but leaves the store recording, and
// says so in Busy(), to be tried again. Two windows that start at once on a new file both make
// it safely: the one that comes second finds the first one's tables and checks them.
// Version 1 knew a table by its title; version 2 by its key; version 3 adds the outbox of
// statements to send. Each opens the earlier versions' files, carrying every row over.
class Store {
public:
    static constexpr int kSchemaVersion = 3;
    // Stored in the file's header: "Trev".
    static constexpr int kApplicationId = 0x54726576;

    // Opening a long history takes a while (25 ms for 100,000 checks), so it may be done on
    // another thread; cancelling from any thread cuts it short, leaving the store not
    // reading, not recording and silent. The opening waits for another program's write at
    // most kBusyTimeout; a write after it, at most the busy timeout given.
    static constexpr std::chrono::milliseconds kBusyTimeout{5000};
    Store(std::filesystem::path path, TimeMs now, Cancellation* cancel = nullptr,
          std::chrono::milliseconds busyTimeout = kBusyTimeout);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }
    [[nodiscard]] bool Recording() const { return m_recording; }
    [[nodiscard]] bool Reading() const { return m_db != nullptr; }
    // The last write waited past the busy timeout for another program's, and was not made.
    [[nodiscard]] bool Busy() const { return m_busy; }
    // What the learner should be told, or empty; the latest fault replaces an earlier one.
    [[nodiscard]] const std::string& Message() const { return m_message; }

    // The learner chosen last time, or empty.
    [[nodiscard]] std::string ChosenLearner() const;
    // Remembers the learner for the next start.
    bool ChooseLearner(const std::string& name);
    // Every learner with anything recorded, or chosen, in the order of their names' bytes.
    [[nodiscard]] std::vector<std::string> Learners() const;

    // A check, and its statement (if it has an id) in the same transaction.
    bool RecordCheck(const std::string& learner, const std::string& table, const PairTexts& pair,
                     bool right, TimeMs now, const Outgoing& statement = {});
    // Rates each offered pair: Good where matched, Again where missed; and the round's
    // statement, as a check's.
    bool RecordRound(const std::string& learner, const std::string& table,
                     const std::vector<PairTexts>& offered, const std::vector<bool>& matched,
                     bool practice, TimeMs now, const Outgoing& statement = {});

    // The outbox: the oldest statements waiting, at most the count; marking them sent, or one
    // refused (kept, never sent again, never deleted); how it stands; and every statement of
    // a learner (of all, for an empty name), sent or not, oldest first, for a file.
    [[nodiscard]] std::vector<OutboxStatement> WaitingStatements(std::size_t count) const;
    bool MarkSent(const std::vector<long long>& rows, TimeMs now);
    bool MarkRefused(long long row, const std::string& answer, TimeMs now);
    [[nodiscard]] OutboxState Outbox() const;
    [[nodiscard]] std::vector<std::string> Statements(const std::string& learner) const;

    [[nodiscard]] std::map<PairTexts, PairRecord> Pairs(const std::string& learner,
                                                        const std::string& table) const;
    // Each local day since the time with an answer or an ended round, in order.
    [[nodiscard]] std::vector<DayRecord> Days(const std::string& learner, const std::string& table,
                                              TimeMs since) const;
    // Every learner's pairs of the table, by learner.
    [[nodiscard]] std::vector<ReportRecord> Report(const std::string& table) const;

private:
    // An opening, step by step: what the file's place and header say, then SQLite's check of
    // a store or the making of a new one, then a first write.
    struct Found;
    Found Look();
    void Open(TimeMs now, Cancellation* cancel);
    bool Check(int version, TimeMs now, Cancellation* cancel);
    bool Make(TimeMs now, Cancellation* cancel);
    void StartRecording();
    bool OpenDatabase(int flags, Cancellation* cancel = nullptr);
    void Close();
    [[nodiscard]] bool Cancelled() const;
    enum class Made { kMade, kByAnother, kFailed };
    Made CreateSchema();
    enum class Upgraded { kOurs, kNotOurs, kFailed };
    Upgraded Upgrade(int version);
    void KeepAside(const char* kind, TimeMs now, const std::string& why, Cancellation* cancel);
    bool Write(const std::function<bool()>& body);
    void Failed(int code);
    long long Id(const char* table, const char* column, const std::string& value);
    bool AddOutgoing(long long learnerId, const Outgoing& statement, TimeMs now);

    std::filesystem::path m_path;
    sqlite3* m_db = nullptr;
    Cancellation* m_cancel = nullptr; // while opening
    std::chrono::milliseconds m_busyTimeout;
    bool m_recording = false;
    bool m_busy = false;
    // Openings of this file so far: a file made by another window at the same moment is opened
    // again, once.
    int m_openings = 0;
    std::string m_message;
};

} // namespace progress
