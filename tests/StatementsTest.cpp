// SPDX-License-Identifier: MIT
// The statements' own texts (JSON strings, activity ids, times), how sending answers a store's
// replies, played against a simulated store with faults, and the class's figures, which must
// agree with what each learner's own progress store worked out from the same play.
#include "PickListHelpers.h"
#include "StoreHelpers.h"

#include <ClassFigures.h>
#include <Learning.h>
#include <Quiz.h>
#include <Sending.h>
#include <Statements.h>
#include <Store.h>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <set>

namespace {

using std::chrono::milliseconds;

struct TextRow {
    const char* name;
    std::string text;
    const char* json;
};

void PrintTo(const TextRow& row, std::ostream* out) {
    *out << row.name;
}

class JsonText : public testing::TestWithParam<TextRow> {};

TEST_P(JsonText, IsOneValidString) {
    EXPECT_EQ(statements::JsonString(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JsonText,
    testing::Values(
        TextRow{"cyrillic", "Ямбол", "\"Ямбол\""},
        TextRow{"quote_and_backslash", "\"Кабиле\" \\", R"("\"Кабиле\" \\")"},
        TextRow{"controls", std::string("a\nb\tc\rd\x01\x7f", 9), R"("a\nb\tc\rd\u0001\u007f")"},
        TextRow{"nul", std::string("a\0b", 3), R"("a\u0000b")"},
        TextRow{"lone_byte",
                "a\xff"
                "b",
                "\"a\xEF\xBF\xBD"
                "b\""},
        TextRow{"overlong_slash", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        TextRow{"surrogate", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        TextRow{"cut_short", "\xE2\x82", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        TextRow{"four_bytes", "\xF0\x9F\x97\xBA", "\"\xF0\x9F\x97\xBA\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Statements, ActivityIdsNameTheStoresKeysAndHoldOnlyUnreservedCharacters) {
    EXPECT_EQ(statements::TableActivity("built-in"), "urn:trevika:table:built-in");
    EXPECT_EQ(statements::PairActivity("table:Реки 1", "Искър", "a:b/c?"),
              "urn:trevika:table:table%3A%D0%A0%D0%B5%D0%BA%D0%B8%201:pair:"
              "%D0%98%D1%81%D0%BA%D1%8A%D1%80:a%3Ab%2Fc%3F");
    // Two pairs whose texts differ only where one holds the separator stay apart.
    EXPECT_NE(statements::PairActivity("t", "a:b", "c"), statements::PairActivity("t", "a", "b:c"));
}

TEST(Statements, IdsAreVersionFourUuidsAndNeverRepeat) {
    std::set<std::string> made;
    for (int i = 0; i < 10'000; ++i) {
        const std::string id = statements::NewUuid();
        ASSERT_TRUE(statements::IsUuid(id)) << id;
        ASSERT_EQ(id[14], '4');
        ASSERT_NE(std::string("89ab").find(id[19]), std::string::npos);
        made.insert(id);
    }
    EXPECT_EQ(made.size(), 10'000U);
    EXPECT_FALSE(statements::IsUuid("b892836c-de29-42e1-9ddd-35f6d161706"));
    EXPECT_FALSE(statements::IsUuid("b892836c-de29-42e1-9ddd_35f6d161706b"));
}

TEST(Statements, TimestampsAreUtcToTheMillisecond) {
    EXPECT_EQ(statements::Timestamp(storetest::kNow + 7), "2026-12-09T10:15:00.007Z");
    EXPECT_EQ(statements::Timestamp(0), "1970-01-01T00:00:00.000Z");
    // The last millisecond of a leap year.
    EXPECT_EQ(statements::Timestamp(1'798'761'599'999), "2026-12-31T23:59:59.999Z");
}

TEST(Statements, TimestampsAreReadBackInEveryFormAStoreMayGiveThem) {
    std::mt19937_64 random(3);
    for (int i = 0; i < 10'000; ++i) {
        const progress::TimeMs time =
            std::uniform_int_distribution<progress::TimeMs>(0, 4'102'444'800'000)(random);
        ASSERT_EQ(statements::ParseTimestamp(statements::Timestamp(time)), time);
    }
    const progress::TimeMs now = storetest::kNow;
    EXPECT_EQ(statements::ParseTimestamp("2026-12-09T10:15:00Z"), now);
    EXPECT_EQ(statements::ParseTimestamp("2026-12-09T12:15:00.5+02:00"), now + 500);
    EXPECT_EQ(statements::ParseTimestamp("2026-12-09T07:45:00.123456-02:30"), now + 123);
    for (const char* wrong :
         {"", "2026-12-09", "2026-12-09T10:15:00", "2026-02-30T10:15:00Z", "2026-12-09T24:15:00Z",
          "2026-12-09T10:15:00Zjunk", "2026-12-09T10:15:00+2:00", "２026-12-09T10:15:00Z"}) {
        EXPECT_FALSE(statements::ParseTimestamp(wrong)) << wrong;
    }
}

struct RetryRow {
    const char* name;
    const char* header;
    std::optional<long long> wait;
};

void PrintTo(const RetryRow& row, std::ostream* out) {
    *out << row.name;
}

class RetryAfter : public testing::TestWithParam<RetryRow> {};

TEST_P(RetryAfter, IsReadAsTheServerMeantItWithinAnHour) {
    // Wed, 09 Dec 2026 10:15:00 GMT is kNow.
    const auto wait = statements::RetryAfter(GetParam().header, storetest::kNow);
    ASSERT_EQ(wait.has_value(), GetParam().wait.has_value());
    if (wait) {
        EXPECT_EQ(wait->count(), *GetParam().wait);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RetryAfter,
    testing::Values(RetryRow{"seconds", "2", 2000}, RetryRow{"spaced", " 120 ", 120'000},
                    RetryRow{"zero", "0", 0}, RetryRow{"negative", "-1", std::nullopt},
                    RetryRow{"words", "soon", std::nullopt}, RetryRow{"empty", "", std::nullopt},
                    RetryRow{"huge", "99999999999999999999", 3'600'000},
                    RetryRow{"a_day", "86400", 3'600'000},
                    RetryRow{"date_ahead", "Wed, 09 Dec 2026 10:15:30 GMT", 30'000},
                    RetryRow{"date_past", "Wed, 09 Dec 2026 10:00:00 GMT", 0},
                    RetryRow{"date_no_such_day", "Wed, 31 Feb 2026 10:15:30 GMT", std::nullopt},
                    RetryRow{"date_other_form", "Wednesday, 09-Dec-26 10:15:30 GMT", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Backoff, GrowsByDoublingToItsLastWithJitterAndStartsAgainOnReset) {
    statements::Backoff backoff(7);
    long long full = statements::Backoff::kFirst.count();
    for (int failure = 0; failure < 30; ++failure) {
        const long long wait = backoff.Next().count();
        ASSERT_GE(wait, full / 2) << failure;
        ASSERT_LE(wait, full) << failure;
        full = std::min<long long>(full * 2, statements::Backoff::kLast.count());
    }
    backoff.Reset();
    EXPECT_LE(backoff.Next(), statements::Backoff::kFirst);
}

// A store as a school's may behave: it refuses a batch holding a malformed statement (400),
// answers 409 for a batch holding an id it has, fails now and then (no answer, 500, 503, 429),
// and sometimes stores a batch but loses the answer on the way back.
struct SimulatedStore {
    std::set<long long> malformed;
    std::map<long long, int> stored;
    std::mt19937 random;

    int Answer(const std::vector<statements::Waiting>& batch) {
        std::uniform_int_distribution<int> fault(0, 9);
        switch (fault(random)) {
        case 0:
            return 0;
        case 1:
            return 500;
        case 2:
            return 429;
        case 3:
            return 503;
        default:
            break;
        }
        bool known = false;
        for (const statements::Waiting& waiting : batch) {
            if (malformed.contains(waiting.row)) {
                return 400;
            }
            known = known || stored.contains(waiting.row);
        }
        if (known) {
            return 409;
        }
        for (const statements::Waiting& waiting : batch) {
            ++stored[waiting.row];
        }
        return fault(random) == 4 ? 0 : 200;
    }
};

TEST(Sending, EveryStatementIsStoredOnceAndEveryMalformedOneKeptAsideOnce) {
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        const int count = std::uniform_int_distribution<int>(1, 700)(random);
        std::vector<statements::Waiting> waiting;
        SimulatedStore store{{}, {}, std::mt19937(seed)};
        for (int row = 1; row <= count; ++row) {
            waiting.push_back({row, "id" + std::to_string(row), "{}"});
            if (std::uniform_int_distribution<int>(0, 60)(random) == 0) {
                store.malformed.insert(row);
            }
        }
        statements::Sending sending(statements::Sending::kBatch, seed);
        sending.Load(waiting);
        std::map<long long, int> sent;
        std::map<long long, int> refused;
        int tries = 0;
        while (!sending.Idle()) {
            ASSERT_LT(++tries, 20 * count + 100) << "seed " << seed << ": sending never ends";
            const int status = store.Answer(sending.Batch());
            const auto step = sending.Answered(status, "answer", milliseconds(2000));
            ASSERT_FALSE(step.stop);
            ASSERT_EQ(step.wait.has_value(), status == 0 || status >= 429) << status;
            if (status == 429 || status == 503) {
                EXPECT_EQ(*step.wait, milliseconds(2000));
            }
            for (const long long row : step.sent) {
                ++sent[row];
            }
            if (step.rejected != 0) {
                ++refused[step.rejected];
                EXPECT_EQ(step.answer, "answer");
            }
        }
        for (int row = 1; row <= count; ++row) {
            const bool bad = store.malformed.contains(row);
            ASSERT_EQ(sent[row], bad ? 0 : 1) << "seed " << seed << ", row " << row;
            ASSERT_EQ(refused[row], bad ? 1 : 0) << "seed " << seed << ", row " << row;
            ASSERT_EQ(store.stored[row], bad ? 0 : 1) << "seed " << seed << ", row " << row;
        }
    }
}

TEST(Sending, RefusedCredentialsStopWithTheBatchKept) {
    statements::Sending sending(2, 1);
    sending.Load({{1, "a", "{}"}, {2, "b", "{}"}, {3, "c", "{}"}});
    for (const int status : {401, 403}) {
        const auto step = sending.Answered(status, "", std::nullopt);
        EXPECT_TRUE(step.stop);
        EXPECT_TRUE(step.sent.empty());
        ASSERT_FALSE(sending.Idle());
        EXPECT_EQ(sending.Batch().size(), 2U);
    }
    // More is not loaded over what waits.
    sending.Load({{4, "d", "{}"}});
    EXPECT_EQ(sending.Batch().front().row, 1);
}

// Rounds of a small table by three learners over some weeks, recorded in one progress store
// as the window records them, and as statements: the class's figures from the statements
// agree with the store, learner by learner.
TEST(ClassFigures, AgreeWithEachLearnersStore) {
    const auto table =
        std::make_shared<const quiz::PairTable>(quiz::PairTable{"Реки",
                                                                {"река", "планина"},
                                                                {{"Искър", "Рила", ""},
                                                                 {"Марица", "Рила", ""},
                                                                 {"Струма", "Витоша", ""},
                                                                 {"Янтра", "Стара планина", ""},
                                                                 {"Арда", "Родопи", ""},
                                                                 {"Места", "Пирин", ""}}});
    const std::string key = "table:Реки";
    const std::string activity = statements::TableActivity(key);
    storetest::Folder folder;
    progress::Store store(folder.File(), storetest::kNow);
    std::vector<statements::Record> records;
    std::mt19937 random(11);
    progress::TimeMs now = storetest::kNow;
    for (int round = 0; round < 90; ++round) {
        const std::string learner = std::vector<std::string>{"Ана", "Борис", "Вяра"}[round % 3];
        quiz::Quiz quiz;
        quiz.UseTable(table);
        const std::string registration = statements::NewUuid();
        while (!quiz.RoundOver()) {
            const int left =
                std::uniform_int_distribution<int>(0, quiz.Settlements().ListCount() - 1)(random);
            quiz.Settlements().SetListIndex(left);
            quiz.ListClick();
            std::string right;
            for (const quiz::Pair& pair : table->pairs) {
                right = pair.left == quiz.Settlements().List(left) ? pair.right : right;
            }
            int site = quiztest::IndexOf(quiz.Sites(), right);
            if (site < 0 || std::bernoulli_distribution(0.3)(random)) {
                site = std::uniform_int_distribution<int>(0, quiz.Sites().ListCount() - 1)(random);
            }
            quiz.Sites().SetListIndex(site);
            quiz.ListClick();
            const quiz::CheckedPair& check = quiz.LastCheck();
            now += std::uniform_int_distribution<progress::TimeMs>(
                1, 4 * progress::TimeMs{3'600'000})(random);
            ASSERT_TRUE(
                store.RecordCheck(learner, key, {check.left, check.right}, check.belong, now));
            statements::Record answer;
            answer.id = statements::NewUuid();
            answer.learner = learner;
            answer.table = activity;
            answer.pair = statements::PairActivity(key, check.left, right);
            answer.pairName = check.left + " – " + right;
            answer.round = registration;
            answer.success = check.belong;
            answer.time = now;
            records.push_back(answer);
            // A USB stick copied twice: the same statement met again.
            if (std::bernoulli_distribution(0.1)(random)) {
                records.push_back(answer);
            }
        }
        const progress::EndedRound ended = progress::RoundOf(quiz);
        ASSERT_TRUE(store.RecordRound(learner, key, ended.offered, ended.matched, false, now));
        statements::Record completed;
        completed.id = statements::NewUuid();
        completed.learner = learner;
        completed.verb = statements::Record::Verb::kCompleted;
        completed.table = activity;
        completed.round = registration;
        completed.time = now;
        records.push_back(completed);
        now += std::uniform_int_distribution<progress::TimeMs>(0, 3 * progress::kDayMs)(random);
    }
    // A round left unfinished counts its answers, and rates nothing.
    records.push_back({statements::NewUuid(), "Ана", statements::Record::Verb::kAnswered, activity,
                       statements::PairActivity(key, "Арда", "Родопи"), "Арда – Родопи",
                       statements::NewUuid(), true, now});
    std::shuffle(records.begin(), records.end(), random);

    const statements::ClassFigures figures = statements::FiguresOf(records, activity, 3);
    ASSERT_EQ(figures.learners.size(), 3U);
    std::map<std::string, int> misses;
    for (const statements::LearnerFigures& learner : figures.learners) {
        const auto pairs = store.Pairs(learner.learner, key);
        EXPECT_EQ(learner.learned, progress::LearnedPairs(*table, pairs)) << learner.learner;
        int again = 0;
        for (const auto& [texts, record] : pairs) {
            again += record.again;
            misses[texts.first + " – " + texts.second] += record.again;
        }
        const auto days = store.Days(learner.learner, key, 0);
        int answers = learner.learner == "Ана" ? 1 : 0;
        int right = answers;
        for (const progress::DayRecord& day : days) {
            answers += day.right + day.wrong;
            right += day.right;
        }
        EXPECT_EQ(learner.answers, answers) << learner.learner;
        EXPECT_EQ(learner.right, right) << learner.learner;
        EXPECT_GT(again, 0);
    }
    ASSERT_EQ(figures.hardest.size(), 3U);
    for (const statements::ClassPair& pair : figures.hardest) {
        EXPECT_EQ(pair.misses, misses[pair.name]) << pair.name;
    }
    EXPECT_GE(figures.hardest[0].misses, figures.hardest[1].misses);
    // Another table's statements are not this one's.
    EXPECT_TRUE(
        statements::FiguresOf(records, statements::TableActivity("built-in"), 3).learners.empty());
}

// The outbox is written with the check: a statement that cannot be kept (an id already there)
// takes the check with it.
TEST(Outbox, IsWrittenWithTheCheck) {
    storetest::Folder folder;
    progress::Store store(folder.File(), storetest::kNow);
    ASSERT_TRUE(store.RecordCheck("Ана", "built-in", {"Ямбол", "Кабиле"}, true, storetest::kNow,
                                  {"id-1", "{\"n\":1}"}));
    EXPECT_FALSE(store.RecordCheck("Ана", "built-in", {"Ямбол", "Кабиле"}, true, storetest::kNow,
                                   {"id-1", "{\"n\":2}"}));
    EXPECT_EQ(storetest::Query(folder.File(), "SELECT count(*) FROM checks"), 1);
}

TEST(Outbox, TellsWhatWaitsWhatWasSentAndWhatWasRefused) {
    storetest::Folder folder;
    progress::Store store(folder.File(), storetest::kNow);
    ASSERT_TRUE(store.RecordCheck("Ана", "built-in", {"Ямбол", "Кабиле"}, true, storetest::kNow,
                                  {"id-1", "{\"n\":1}"}));
    ASSERT_TRUE(store.RecordRound("Борис", "built-in", {{"Ямбол", "Кабиле"}}, {true}, false,
                                  storetest::kNow + 1, {"id-2", "{\"n\":3}"}));
    ASSERT_TRUE(store.RecordCheck("Ана", "built-in", {"Мелник", "Къща"}, false, storetest::kNow + 2,
                                  {"id-3", "{\"n\":4}"}));
    const auto waiting = store.WaitingStatements(2);
    ASSERT_EQ(waiting.size(), 2U);
    EXPECT_EQ(waiting[0].id, "id-1");
    EXPECT_EQ(waiting[1].statement, "{\"n\":3}");
    ASSERT_TRUE(store.MarkSent({waiting[0].row}, storetest::kNow + 10));
    ASSERT_TRUE(store.MarkRefused(waiting[1].row, "HTTP 400: no", storetest::kNow + 11));
    const progress::OutboxState state = store.Outbox();
    EXPECT_EQ(state.waiting, 1);
    EXPECT_EQ(state.sent, 1);
    EXPECT_EQ(state.lastSent, storetest::kNow + 10);
    ASSERT_EQ(state.refused.size(), 1U);
    EXPECT_EQ(state.refused[0].id, "id-2");
    EXPECT_EQ(state.refused[0].answer, "HTTP 400: no");
    EXPECT_EQ(store.WaitingStatements(10).at(0).id, "id-3");
    // A file holds everything of a learner, sent or not.
    EXPECT_EQ(store.Statements("Ана"), (std::vector<std::string>{"{\"n\":1}", "{\"n\":4}"}));
    EXPECT_EQ(store.Statements("").size(), 3U);
}

} // namespace
