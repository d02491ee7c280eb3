// SPDX-License-Identifier: MIT
// The progress store: what it keeps and reads back, what every kind of bad file gets, the
// first version's file, and two windows of one learner at once.
#include "StoreHelpers.h"
#include "TestData.h"

#include <Learning.h>
#include <Recorder.h>
#include <functional>
#include <future>
#include <optional>
#include <thread>

namespace {

using storetest::Bytes;
using storetest::Folder;
using storetest::kNow;

// What opening a bad file must do: record again or not, keep the file aside under which
// kind of name, and say what in the message.
struct BadFile {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    bool recording;
    const char* keptAs; // the new name's kind, or nullptr when the file stays where it is
    const char* says;
};

void FilledStore(const std::filesystem::path& file) {
    progress::Store store(file, kNow);
    for (int n = 0; n < 400; ++n) {
        ASSERT_TRUE(storetest::Check(store, n));
    }
}

void RawDatabase(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

const BadFile kBadFiles[] = {
    {"random_bytes",
     [](const auto& file) {
         std::mt19937 random(7);
         std::string bytes(4096, '\0');
         for (char& c : bytes) {
             c = static_cast<char>(random());
         }
         storetest::WriteBytes(file, bytes);
     },
     true, "damaged", "е повреден (не е база от данни)"},
    {"truncated",
     [](const auto& file) {
         FilledStore(file);
         std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
     },
     true, "damaged", "е повреден"},
    {"damaged_inside",
     [](const auto& file) {
         FilledStore(file);
         std::string bytes = Bytes(file);
         constexpr std::ptrdiff_t kPage = 4096;
         std::fill(bytes.begin() + 3 * kPage, bytes.begin() + 5 * kPage, '\xff');
         storetest::WriteBytes(file, bytes);
     },
     true, "damaged", "е повреден"},
    {"header_only", [](const auto& file) { storetest::WriteBytes(file, "SQLite format 3"); }, true,
     "damaged", "е повреден"},
    {"another_programs_database",
     [](const auto& file) {
         RawDatabase(file, "CREATE TABLE notes(x); INSERT INTO notes VALUES(1)");
     },
     true, "other", "не е на Тревика"},
    {"newer_version",
     [](const auto& file) {
         FilledStore(file);
         const std::string newer =
             "PRAGMA user_version=" + std::to_string(progress::Store::kSchemaVersion + 1);
         RawDatabase(file, newer.c_str());
     },
     false, nullptr, "е от по-нова версия на Тревика. Файлът е оставен непроменен."},
    {"folder_in_its_place", [](const auto& file) { std::filesystem::create_directory(file); },
     false, nullptr, "има папка"},
};

void PrintTo(const BadFile& row, std::ostream* out) {
    *out << row.name;
}

class StoreBadFile : public testing::TestWithParam<BadFile> {};

TEST_P(StoreBadFile, KeepsWhatWasThereAndSaysWhat) {
    const BadFile& bad = GetParam();
    Folder folder;
    bad.make(folder.File());
    const std::string before =
        std::filesystem::is_regular_file(folder.File()) ? Bytes(folder.File()) : std::string();

    progress::Store store(folder.File(), kNow);
    EXPECT_EQ(store.Recording(), bad.recording);
    EXPECT_EQ(store.Message().rfind("Напредъкът", 0), 0U) << store.Message();
    EXPECT_NE(store.Message().find("„" + folder.File().string() + "“"), std::string::npos)
        << store.Message();
    EXPECT_NE(store.Message().find(bad.says), std::string::npos) << store.Message();

    const auto kept = storetest::KeptAside(folder.Path());
    if (bad.keptAs != nullptr) {
        ASSERT_EQ(kept.size(), 1U);
        // progress.damaged-20261209-101500.sqlite, by the local time
        const std::string name = kept[0].filename().string();
        const std::string start = "progress." + std::string(bad.keptAs) + "-";
        EXPECT_EQ(name.rfind(start, 0), 0U) << name;
        EXPECT_EQ(name.size(), start.size() + std::string("20261209-101500.sqlite").size()) << name;
        EXPECT_EQ(Bytes(kept[0]), before);
        EXPECT_NE(store.Message().find("„" + kept[0].string() + "“"), std::string::npos);
    } else {
        EXPECT_TRUE(kept.empty());
        if (!before.empty()) {
            EXPECT_EQ(Bytes(folder.File()), before);
        }
    }
    // Either way the quiz goes on; a new store records and reads back.
    EXPECT_EQ(storetest::Check(store, 2), bad.recording);
    EXPECT_EQ(store.RecordRound("Ана", "Таблица", {{"Ямбол", "Кабиле"}}, {true}, false, kNow),
              bad.recording);
    EXPECT_EQ(store.Pairs("Ана", "Таблица").size(), bad.recording ? 1U : 0U);
    if (bad.recording) {
        EXPECT_EQ(storetest::Query(folder.File(), "PRAGMA integrity_check"), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, StoreBadFile, testing::ValuesIn(kBadFiles),
                         [](const auto& row) { return std::string(row.param.name); });

// Closing the window while the store opens: nothing read, nothing said, the file untouched.
TEST(Store, ACancelledOpeningLeavesTheFileAsItWas) {
    Folder folder;
    FilledStore(folder.File());
    const std::string before = Bytes(folder.File());
    progress::Cancellation cancellation;
    cancellation.Cancel();
    const progress::Store store(folder.File(), kNow, &cancellation);
    EXPECT_FALSE(store.Reading());
    EXPECT_FALSE(store.Recording());
    EXPECT_EQ(store.Message(), "");
    EXPECT_EQ(Bytes(folder.File()), before);
    EXPECT_TRUE(storetest::KeptAside(folder.Path()).empty());
}

TEST(Store, AnEmptyFileBecomesAStoreWithoutAWord) {
    Folder folder;
    storetest::WriteBytes(folder.File(), "");
    progress::Store store(folder.File(), kNow);
    EXPECT_TRUE(store.Recording());
    EXPECT_EQ(store.Message(), "");
    EXPECT_TRUE(storetest::Check(store, 1));
}

// The file the first version wrote (tests/data/progress-v1.sqlite, written by the disabled
// test below, run once with --gtest_also_run_disabled_tests) opens in every later one with
// all it holds; the built-in table's history, kept under its caption then, is the built-in
// table's still, and a teacher's table's is kept under its title's key.
TEST(Store, OpensTheFirstVersionsFile) {
    Folder folder;
    std::filesystem::copy_file(std::string(TREVIKA_TEST_DATA) + "/progress-v1.sqlite",
                               folder.File());
    RawDatabase(folder.File(), "INSERT INTO tables(title) VALUES('Реки');"
                               "INSERT INTO checks(time_ms, learner_id, table_id, left_text, "
                               "right_text, right) SELECT 1796811300000, id, last_insert_rowid(), "
                               "'Искър', 'Рила', 1 FROM learners WHERE name='Иван'");
    const long long checks = storetest::Query(folder.File(), "SELECT count(*) FROM checks");
    const long long rounds = storetest::Query(folder.File(), "SELECT count(*) FROM rounds");
    {
        progress::Store store(folder.File(), kNow);
        EXPECT_TRUE(store.Recording());
        EXPECT_EQ(store.Message(), "");
        EXPECT_EQ(store.ChosenLearner(), "Ана Петрова");
        EXPECT_EQ(store.Learners(), (std::vector<std::string>{"Ана Петрова", "Иван"}));
        const auto pairs = store.Pairs("Ана Петрова", "built-in");
        ASSERT_EQ(pairs.size(), 2U);
        const progress::PairRecord& kabile = pairs.at({"Ямбол", "Античен град \"Кабиле\""});
        EXPECT_EQ(kabile.good, 2);
        EXPECT_EQ(kabile.again, 1);
        EXPECT_EQ(kabile.memory.reps, 3);
        EXPECT_EQ(store.Days("Ана Петрова", "built-in", 0).size(), 2U);
        EXPECT_EQ(store.Days("Иван", "table:Реки", 0).size(), 1U);
        EXPECT_TRUE(storetest::Check(store, 3));
    }
    EXPECT_EQ(storetest::Query(folder.File(), "PRAGMA user_version"),
              progress::Store::kSchemaVersion);
    EXPECT_EQ(storetest::Query(folder.File(), "SELECT count(*) FROM checks"), checks + 1);
    EXPECT_EQ(storetest::Query(folder.File(), "SELECT count(*) FROM rounds"), rounds);
    EXPECT_TRUE(storetest::KeptAside(folder.Path()).empty());
    // Opened again, it is this version's file as it stands.
    progress::Store again(folder.File(), kNow);
    EXPECT_EQ(again.Message(), "");
    EXPECT_EQ(again.Pairs("Ана Петрова", "built-in").size(), 2U);
}

TEST(Store, DISABLED_WriteTheFirstVersionsFile) {
    if (progress::Store::kSchemaVersion != 1) {
        GTEST_SKIP() << "only the first version's store writes the first version's file";
    }
    const std::filesystem::path file = std::string(TREVIKA_TEST_DATA) + "/progress-v1.sqlite";
    std::filesystem::remove(file);
    {
        progress::Store store(file, kNow - 2 * progress::kDayMs);
        const std::string table = "География - национални туристически обекти";
        const progress::PairTexts kabile{"Ямбол", "Античен град \"Кабиле\""};
        const progress::PairTexts melnik{"Мелник", "Кордопулова къща"};
        ASSERT_TRUE(store.ChooseLearner("Иван"));
        ASSERT_TRUE(store.ChooseLearner("Ана Петрова"));
        const progress::TimeMs days[] = {kNow - 2 * progress::kDayMs, kNow - progress::kDayMs};
        ASSERT_TRUE(store.RecordCheck("Ана Петрова", table, kabile, true, days[0]));
        ASSERT_TRUE(store.RecordCheck("Ана Петрова", table, {"Мелник", "Кабиле"}, false, days[0]));
        ASSERT_TRUE(store.RecordRound("Ана Петрова", table, {kabile, melnik}, {true, false}, false,
                                      days[0]));
        ASSERT_TRUE(store.RecordRound("Ана Петрова", table, {kabile}, {false}, true, days[0]));
        ASSERT_TRUE(store.RecordCheck("Ана Петрова", table, kabile, true, days[1]));
        ASSERT_TRUE(store.RecordRound("Ана Петрова", table, {kabile}, {true}, false, days[1]));
    }
    RawDatabase(file, "PRAGMA journal_mode=DELETE; VACUUM");
}

TEST(Store, RoundsRateEachPairAndDaysCountAnswers) {
    Folder folder;
    // In a folder of a Cyrillic name, as a Bulgarian Windows account's application data is.
    progress::Store store(folder.Path() / u8"Ученици" / "progress.sqlite", kNow);
    ASSERT_TRUE(store.Recording()) << store.Message();
    const std::vector<progress::PairTexts> offered{{"Ямбол", "Кабиле"}, {"Мелник", "Къща"}};
    const progress::TimeMs dayBefore = kNow - progress::kDayMs;
    ASSERT_TRUE(store.RecordRound("Ана", "Т", offered, {true, false}, false, dayBefore));
    ASSERT_TRUE(store.RecordRound("Ана", "Т", offered, {true, true}, true, kNow));
    for (int n = 0; n < 5; ++n) {
        ASSERT_TRUE(storetest::Check(store, n, n < 2 ? dayBefore : kNow));
    }
    const auto pairs = store.Pairs("Ана", "Т");
    EXPECT_EQ(pairs.at(offered[0]).good, 2);
    EXPECT_EQ(pairs.at(offered[1]).again, 1);
    EXPECT_EQ(pairs.at(offered[1]).memory.lapses, 0);
    EXPECT_EQ(pairs.at(offered[0]).memory.lastReview, kNow);
    EXPECT_TRUE(store.Pairs("Иван", "Т").empty());

    const auto days = store.Days("Ана", "Таблица", dayBefore - progress::kDayMs);
    ASSERT_EQ(days.size(), 2U);
    EXPECT_EQ(days[0].right + days[0].wrong, 2);
    EXPECT_EQ(days[1].right, 2); // 2 and 4
    EXPECT_EQ(days[1].wrong, 1);
    int learned = 0;
    for (const auto& [texts, record] : pairs) {
        learned += progress::Learned(record.memory) ? 1 : 0;
    }
    EXPECT_EQ(store.Days("Ана", "Т", 0).back().learned, learned);
    EXPECT_EQ(store.Report("Т").size(), 2U);
}

// Two windows started at the same moment on a new profile: both find no file, both make it,
// neither keeps the other's aside or stops recording. Each writes with a short busy timeout,
// as a window's recorder does; the opening waits longer all the same.
TEST(Store, TwoWindowsStartedAtOnceOnANewFileBothRecord) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        Folder folder;
        // Both go at once, from a future that both wait for (std::latch's wait can miss its
        // wake-up under MinGW's runtime, and the test would hang).
        std::promise<void> go;
        const std::shared_future<void> start = go.get_future().share();
        std::optional<progress::Store> stores[2];
        const auto open = [&](int n) {
            start.wait();
            stores[n].emplace(folder.File(), kNow, nullptr, progress::Recorder::kBusyWait);
        };
        std::thread other(open, 1);
        go.set_value();
        open(0);
        other.join();
        for (auto& store : stores) {
            ASSERT_EQ(store->Message(), "") << "attempt " << attempt;
            ASSERT_TRUE(store->Recording());
            ASSERT_TRUE(storetest::Check(*store, attempt));
        }
        ASSERT_TRUE(storetest::KeptAside(folder.Path()).empty());
        ASSERT_EQ(storetest::Query(folder.File(), "SELECT count(*) FROM checks"), 2);
    }
}

// A file held by another program past the busy timeout: the check waiting for it is not
// recorded, and said to be busy, but recording goes on once the file is free.
TEST(Store, AFileHeldPastTheWaitLeavesTheStoreRecording) {
    Folder folder;
    progress::Store store(folder.File(), kNow);
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(folder.File().string().c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(storetest::Check(store, 1));
    EXPECT_TRUE(store.Busy());
    EXPECT_TRUE(store.Recording());
    EXPECT_EQ(store.Message(), "");
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(storetest::Check(store, 1));
    EXPECT_FALSE(store.Busy());
    EXPECT_EQ(storetest::Query(folder.File(), "SELECT count(*) FROM checks"), 1);
}

// A write that SQLite takes without an error, yet leaves undone (here a trigger of another
// program's drops the learner), is told as a failed write, with a reason.
TEST(Store, AWriteLeftUndoneWithoutAnErrorIsToldWithItsReason) {
    Folder folder;
    progress::Store store(folder.File(), kNow);
    RawDatabase(folder.File(), "CREATE TRIGGER no_learners BEFORE INSERT ON learners "
                               "BEGIN SELECT RAISE(IGNORE); END");
    EXPECT_FALSE(storetest::Check(store, 1));
    EXPECT_FALSE(store.Recording());
    EXPECT_NE(store.Message().find("грешка при запис във файла „" + folder.File().string() +
                                   "“ (записът не беше приет)"),
              std::string::npos)
        << store.Message();
}

TEST(Store, TwoWindowsOfOneLearnerBothRecordEveryCheck) {
    Folder folder;
    progress::Store first(folder.File(), kNow);
    progress::Store second(folder.File(), kNow);
    // Another connection holds the file for a while, as a slow disk would: both wait.
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(folder.File().string().c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    });
    std::thread other([&second] {
        for (int n = 0; n < 100; ++n) {
            EXPECT_TRUE(storetest::Check(second, n));
        }
    });
    for (int n = 0; n < 100; ++n) {
        EXPECT_TRUE(storetest::Check(first, n));
    }
    other.join();
    release.join();
    sqlite3_close(holder);
    EXPECT_EQ(first.Message(), "");
    EXPECT_EQ(second.Message(), "");
    EXPECT_EQ(storetest::Query(folder.File(), "SELECT count(*) FROM checks"), 200);
}

} // namespace
