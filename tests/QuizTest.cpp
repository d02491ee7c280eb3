// SPDX-License-Identifier: MIT
#include "Quiz.h"

#include "PickListHelpers.h"
#include "SiteTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

namespace {

using quiz::PickList;
using quiz::Quiz;

int IndexOf(const PickList& list, std::string_view text) {
    const int index = quiztest::IndexOf(list, text);
    if (index < 0) {
        ADD_FAILURE() << "not in the list: " << text;
    }
    return index;
}

// Selects a settlement and then a site, as the learner would, each followed by its Click.
void Play(Quiz& quiz, std::string_view settlement, std::string_view site) {
    quiz.Settlements().SetListIndex(IndexOf(quiz.Settlements(), settlement));
    quiz.ListClick();
    quiz.Sites().SetListIndex(IndexOf(quiz.Sites(), site));
    quiz.ListClick();
}

class QuizTest : public testing::Test {
protected:
    QuizTest() { quiz.FillLists(); }
    Quiz quiz{"Задача"};
};

TEST_F(QuizTest, FillsBothListsSortedWithoutSelection) {
    std::multiset<std::string> settlements;
    std::multiset<std::string> sites;
    for (const auto& row : quiz::kSiteTable) {
        settlements.emplace(row.settlement);
        sites.emplace(row.site);
    }
    const auto contents = [](const PickList& list) {
        const auto items = quiztest::Items(list);
        return std::multiset<std::string>(items.begin(), items.end());
    };
    EXPECT_EQ(contents(quiz.Settlements()), settlements);
    EXPECT_EQ(contents(quiz.Sites()), sites);
    EXPECT_EQ(quiz.Settlements().ListIndex(), -1);
    EXPECT_EQ(quiz.Sites().ListIndex(), -1);
    EXPECT_EQ(quiz.Text(), "Задача");
}

TEST_F(QuizTest, SortsTheRealListsInBulgarianOrder) {
    const PickList& settlements = quiz.Settlements();
    const PickList& sites = quiz.Sites();
    EXPECT_EQ(settlements.List(0), "Асеновград");
    EXPECT_EQ(settlements.List(1), "Балчик");
    EXPECT_EQ(settlements.List(59), "Ямбол");
    EXPECT_EQ(sites.List(0), "Античен град \"Кабиле\"");
    EXPECT_EQ(sites.List(1), "Античен театър");
    EXPECT_EQ(sites.List(2), "Антична римска \u201EВила Армира\u201C");
    EXPECT_EQ(sites.List(59), "Художествена галерия \u201EВладимир Димитров-Майстора\u201C");
    EXPECT_LT(IndexOf(settlements, "Родопи "), IndexOf(settlements, "Русе"));
    EXPECT_LT(IndexOf(settlements, "Велико Търново"), IndexOf(settlements, "Видин"));
    EXPECT_LT(IndexOf(settlements, "Враца"), IndexOf(settlements, "Връх Шипка"));
    EXPECT_LT(IndexOf(sites, "Пещера Леденика"), IndexOf(sites, "Пещера Магура"));
    EXPECT_LT(IndexOf(sites, "Пещера Магура"), IndexOf(sites, "Пещера \u201EСнежанка\u201C"));
    EXPECT_LT(IndexOf(sites, "Пещера \u201EСнежанка\u201C"), IndexOf(sites, "Пещера Съева дупка"));
}

TEST_F(QuizTest, RightPairNamesBothAndTheRegion) {
    Play(quiz, "Мелник", "Кордопулова къща");
    EXPECT_EQ(quiz.Text(), "Вярно  селище Мелник забележителност Кордопулова къща\r\n"
                           " област Благоевград");
    EXPECT_EQ(quiz.Settlements().ListCount(), 59);
    EXPECT_EQ(quiz.Sites().ListCount(), 59);
    EXPECT_EQ(quiz.Settlements().ListIndex(), -1);
    EXPECT_EQ(quiz.Sites().ListIndex(), -1);
}

TEST_F(QuizTest, WrongPairNamesBothWithoutRegion) {
    Play(quiz, "Мелник", "Самуилова крепост");
    EXPECT_EQ(quiz.Text(), "Грешно Мелник забележителност Самуилова крепост\r\n");
    for (const auto* list : {&quiz.Settlements(), &quiz.Sites()}) {
        EXPECT_EQ(list->ListCount(), 59);
        EXPECT_EQ(list->ListIndex(), -1);
    }
    for (int index = 0; index < 59; ++index) {
        EXPECT_NE(quiz.Settlements().List(index), "Мелник");
        EXPECT_NE(quiz.Sites().List(index), "Самуилова крепост");
    }
}

TEST_F(QuizTest, TrailingSpaceOfRodopiStillMatches) {
    Play(quiz, "Родопи ", "Природна забележителност \u201EЧудните мостове\u201C");
    EXPECT_EQ(quiz.Text(), "Вярно  селище Родопи  забележителност Природна забележителност "
                           "\u201EЧудните мостове\u201C\r\n област Смолян");
}

TEST_F(QuizTest, SiteFirstGivesTheSameVerdict) {
    quiz.Sites().SetListIndex(IndexOf(quiz.Sites(), "Пещера Магура"));
    quiz.ListClick();
    EXPECT_EQ(quiz.Text(), "Задача");
    quiz.Settlements().SetListIndex(IndexOf(quiz.Settlements(), "Рабиша"));
    quiz.ListClick();
    EXPECT_EQ(quiz.Text(), "Вярно  селище Рабиша забележителност Пещера Магура\r\n област Видин");
}

TEST_F(QuizTest, OneSelectionAloneChangesNothing) {
    quiz.Settlements().SetListIndex(3);
    quiz.ListClick();
    quiz.Settlements().SetListIndex(5);
    quiz.ListClick();
    EXPECT_EQ(quiz.Text(), "Задача");
    EXPECT_EQ(quiz.Settlements().ListCount(), 60);
    EXPECT_EQ(quiz.Settlements().ListIndex(), 5);
}

TEST_F(QuizTest, NextVerdictReplacesTheLast) {
    Play(quiz, "Мелник", "Самуилова крепост");
    Play(quiz, "Ямбол", "Античен град \"Кабиле\"");
    EXPECT_EQ(quiz.Text(), "Вярно  селище Ямбол забележителност Античен град \"Кабиле\"\r\n"
                           " област Ямбол");
}

// A settlement that is in no row is judged against the first row, as the scan leaves it.
TEST_F(QuizTest, UnknownSettlementIsJudgedAgainstTheFirstRow) {
    quiz.Settlements().AddItem("Никъде");
    Play(quiz, "Никъде", "Кордопулова къща");
    EXPECT_EQ(quiz.Text(), "Вярно  селище Никъде забележителност Кордопулова къща\r\n"
                           " област Благоевград");
}

TEST_F(QuizTest, CheckPairNeedsBothSelections) {
    EXPECT_THROW(quiz.CheckPair(), std::logic_error);
    quiz.Sites().SetListIndex(0);
    try {
        quiz.CheckPair();
        ADD_FAILURE() << "no error";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "CheckPair: needs a selection in both lists, has ListIndex -1 "
                                   "and 0");
    }
    EXPECT_EQ(quiz.Sites().ListCount(), 60);
    EXPECT_EQ(quiz.Text(), "Задача");
}

TEST_F(QuizTest, ClearRefillsAndEmptiesTheMessage) {
    Play(quiz, "Мелник", "Кордопулова къща");
    quiz.Sites().SetListIndex(4);
    quiz.ClearClick();
    EXPECT_EQ(quiz.Settlements().ListCount(), 60);
    EXPECT_EQ(quiz.Sites().ListCount(), 60);
    EXPECT_EQ(quiz.Sites().ListIndex(), -1);
    EXPECT_EQ(quiz.Text(), "");
    quiz.FillLists();
    EXPECT_EQ(quiz.Settlements().ListCount(), 60);
}

TEST_F(QuizTest, TellsItsObserverOfEveryNewText) {
    std::vector<std::string> seen;
    quiz.SetTextObserver([&] { seen.push_back(quiz.Text()); });
    Play(quiz, "Мелник", "Самуилова крепост");
    quiz.ClearClick();
    EXPECT_EQ(seen, (std::vector<std::string>{"Грешно Мелник забележителност Самуилова крепост\r\n",
                                              ""}));
}

// Two wrong pairs use up Мелник's and Петрич's sites; the other 58 rows are played right.
TEST_F(QuizTest, ScoreCountsTheRoundUntilTheNextFill) {
    std::vector<std::string> scores;
    int checked = 0;
    quiz.SetScoreObserver([&] { scores.push_back(quiz.ScoreText()); });
    quiz.SetPairCheckedObserver([&] {
        ++checked;
        EXPECT_EQ(quiz.Settlements().ListIndex(), -1);
        EXPECT_EQ(quiz.Checks(), checked);
    });
    EXPECT_EQ(quiz.ScoreText(), "");
    Play(quiz, "Мелник", "Самуилова крепост");
    Play(quiz, "Петрич", "Кордопулова къща");
    EXPECT_EQ(scores, (std::vector<std::string>{"Верни: 0 от 1", "Верни: 0 от 2"}));
    for (const auto& row : quiz::kSiteTable) {
        if (row.settlement != "Мелник" && row.settlement != "Петрич") {
            Play(quiz, row.settlement, row.site);
        }
    }
    EXPECT_EQ(scores[30], "Верни: 29 от 31");
    EXPECT_EQ(quiz.ScoreText(), "Край: 58 от 60");
    EXPECT_EQ(quiz.RightPairs(), 58);
    EXPECT_EQ(checked, 60);
    quiz.ListClick();
    EXPECT_EQ(checked, 60);
    quiz.ClearClick();
    EXPECT_EQ(scores.size(), 61U);
    EXPECT_EQ(quiz.ScoreText(), "");
    EXPECT_EQ(quiz.Checks(), 0);
    EXPECT_EQ(checked, 60);
}

// Three wrong pairs miss six rows: their own three settlements, and the three whose sites
// they took, which are left over with the wrong ones' sites. Practising them right misses nothing.
TEST_F(QuizTest, RoundEndsWithTheMissedRowsToPractise) {
    Play(quiz, "Асеновград", "Античен театър");
    Play(quiz, "Родопи ", "Музей на солта");
    Play(quiz, "Ямбол", "Пещера Магура");
    for (const auto& row : quiz::kSiteTable) {
        if (quiztest::IndexOf(quiz.Settlements(), row.settlement) >= 0 &&
            quiztest::IndexOf(quiz.Sites(), row.site) >= 0) {
            Play(quiz, row.settlement, row.site);
        }
    }
    ASSERT_EQ(quiz.Settlements().ListCount(), 3);
    EXPECT_FALSE(quiz.RoundOver());
    EXPECT_THROW(quiz.PracticeMissed(), std::logic_error);
    while (quiz.Settlements().ListCount() > 0) {
        quiz.Settlements().SetListIndex(0);
        quiz.Sites().SetListIndex(0);
        quiz.ListClick();
    }
    EXPECT_EQ(quiz.ScoreText(), "Край: 54 от 60");
    const std::vector<std::string> missed{
        "Асеновград – Бачковски манастир, област Пловдив",
        "Пловдив – Античен театър, област Пловдив",
        "Поморие – Музей на солта, област Бургас",
        "Рабиша – Пещера Магура, област Видин",
        "Родопи – Природна забележителност \u201EЧудните мостове\u201C, област Смолян",
        "Ямбол – Античен град \"Кабиле\", област Ямбол",
    };
    EXPECT_EQ(quiz.MissedLines(), missed);

    quiz.PracticeMissed();
    EXPECT_EQ(quiztest::Items(quiz.Settlements()),
              (std::vector<std::string>{"Асеновград", "Пловдив", "Поморие", "Рабиша", "Родопи ",
                                        "Ямбол"}));
    EXPECT_EQ(quiz.Sites().List(0), "Античен град \"Кабиле\"");
    EXPECT_EQ(quiz.Text(), "");
    // Named until its first check, so that the learner knows which round is on.
    EXPECT_EQ(quiz.ScoreText(), "Упражнение");
    EXPECT_EQ(quiz.MissedLines(), missed);
    Play(quiz, "Родопи ", "Природна забележителност \u201EЧудните мостове\u201C");
    EXPECT_EQ(quiz.Text(), "Вярно  селище Родопи  забележителност Природна забележителност "
                           "\u201EЧудните мостове\u201C\r\n област Смолян");
    Play(quiz, "Ямбол", "Музей на солта");
    Play(quiz, "Поморие", "Античен град \"Кабиле\"");
    for (const auto* settlement : {"Асеновград", "Пловдив", "Рабиша"}) {
        const auto& row = *std::find_if(quiz::kSiteTable.begin(), quiz::kSiteTable.end(),
                                        [&](const auto& r) { return r.settlement == settlement; });
        Play(quiz, row.settlement, row.site);
    }
    EXPECT_EQ(quiz.ScoreText(), "Край: 4 от 6");
    EXPECT_TRUE(quiz.Practice());
    EXPECT_EQ(quiz.MissedLines(),
              (std::vector<std::string>{"Поморие – Музей на солта, област Бургас",
                                        "Ямбол – Античен град \"Кабиле\", област Ямбол"}));

    quiz.PracticeMissed();
    Play(quiz, "Поморие", "Музей на солта");
    Play(quiz, "Ямбол", "Античен град \"Кабиле\"");
    EXPECT_EQ(quiz.ScoreText(), "Край: 2 от 2");
    EXPECT_TRUE(quiz.MissedLines().empty());
    EXPECT_THROW(quiz.PracticeMissed(), std::logic_error);
    quiz.ClearClick();
    EXPECT_EQ(quiz.Settlements().ListCount(), 60);
    EXPECT_EQ(quiz.MissedRows().size(), 60U);
    EXPECT_EQ(quiz.ScoreText(), "");
}

// Sixty right pairs in a random order, each picked at whatever index it has moved to.
TEST_F(QuizTest, WholeGameEmptiesBothLists) {
    std::vector<quiz::SiteRow> rows(quiz::kSiteTable.begin(), quiz::kSiteTable.end());
    std::mt19937 random(20261208);
    std::shuffle(rows.begin(), rows.end(), random);
    for (const auto& row : rows) {
        if (random() % 2 == 0) {
            Play(quiz, row.settlement, row.site);
        } else {
            quiz.Sites().SetListIndex(IndexOf(quiz.Sites(), row.site));
            quiz.ListClick();
            quiz.Settlements().SetListIndex(IndexOf(quiz.Settlements(), row.settlement));
            quiz.ListClick();
        }
        EXPECT_EQ(quiz.Text(), "Вярно  селище " + std::string(row.settlement) +
                                   " забележителност " + std::string(row.site) + "\r\n област " +
                                   std::string(row.region));
    }
    EXPECT_EQ(quiz.Settlements().ListCount(), 0);
    EXPECT_EQ(quiz.Sites().ListCount(), 0);
    quiz.ListClick();
    EXPECT_THROW(quiz.Settlements().SetListIndex(0), std::out_of_range);
    quiz.ClearClick();
    EXPECT_EQ(quiz.Settlements().ListCount(), 60);
    EXPECT_EQ(quiz.Sites().ListCount(), 60);
}

} // namespace

namespace {

std::shared_ptr<const quiz::PairTable> Authors(bool notes) {
    quiz::PairTable table{"Автори", {"автор", "творба"}, {}};
    if (notes) {
        table.columns.emplace_back("година");
    }
    table.pairs = {{"Иван Вазов", "Под игото", "1894"},
                   {"Иван Вазов", "Епопея на забравените", "1884"},
                   {"Христо Ботев", "Хаджи Димитър", "1873"},
                   {"Иван Вазов", "Под игото", "1889"}};
    return std::make_shared<const quiz::PairTable>(std::move(table));
}

// A text may stand in several pairs: any pair that holds both texts is right, each pair of
// the table counts once, and the later of two equal pairs speaks first.
TEST(OpenedTable, RepeatedTextsPairWithAnyOfTheirPartners) {
    Quiz quiz("Задача");
    quiz.UseTable(Authors(true));
    EXPECT_EQ(quiz.Text(), "");
    EXPECT_EQ(quiztest::Items(quiz.Settlements()),
              (std::vector<std::string>{"Иван Вазов", "Иван Вазов", "Иван Вазов", "Христо Ботев"}));
    Play(quiz, "Иван Вазов", "Под игото");
    EXPECT_EQ(quiz.Text(), "Вярно  автор Иван Вазов творба Под игото\r\n година 1889");
    Play(quiz, "Иван Вазов", "Хаджи Димитър");
    EXPECT_EQ(quiz.Text(), "Грешно Иван Вазов творба Хаджи Димитър\r\n");
    Play(quiz, "Иван Вазов", "Под игото");
    EXPECT_EQ(quiz.Text(), "Вярно  автор Иван Вазов творба Под игото\r\n година 1894");
    Play(quiz, "Христо Ботев", "Епопея на забравените");
    EXPECT_EQ(quiz.ScoreText(), "Край: 2 от 4");
    EXPECT_EQ(quiz.MissedLines(),
              (std::vector<std::string>{"Иван Вазов – Епопея на забравените, година 1884",
                                        "Христо Ботев – Хаджи Димитър, година 1873"}));
    quiz.PracticeMissed();
    Play(quiz, "Иван Вазов", "Епопея на забравените");
    EXPECT_EQ(quiz.Text(), "Вярно  автор Иван Вазов творба Епопея на забравените\r\n година 1884");
}

// Вазов with Поезия twice: the second is a true pair, but its one row is matched already, and
// the rows left need Вазов with Проза and Ботев with Поезия. It is not counted, and says so,
// so the score and the review add up to the round.
TEST(OpenedTable, TruePairPickedAgainIsNotCountedTwice) {
    Quiz quiz;
    quiz.UseTable(std::make_shared<const quiz::PairTable>(quiz::PairTable{
        "Жанрове",
        {"автор", "жанр"},
        {{"Вазов", "Поезия", ""}, {"Вазов", "Проза", ""}, {"Ботев", "Поезия", ""}}}));
    Play(quiz, "Вазов", "Поезия");
    EXPECT_EQ(quiz.Text(), "Вярно  автор Вазов жанр Поезия");
    Play(quiz, "Вазов", "Поезия");
    EXPECT_EQ(quiz.Text(),
              "Вярно  автор Вазов жанр Поезия\r\n (вече отгатната в този кръг, не се брои)");
    EXPECT_EQ(quiz.ScoreText(), "Верни: 1 от 2");
    Play(quiz, "Ботев", "Проза");
    EXPECT_EQ(quiz.ScoreText(), "Край: 1 от 3");
    EXPECT_EQ(quiz.MissedLines(), (std::vector<std::string>{"Ботев – Поезия", "Вазов – Проза"}));
}

TEST(OpenedTable, TwoColumnsGiveVerdictsWithoutNotes) {
    Quiz quiz;
    quiz.UseTable(Authors(false));
    Play(quiz, "Христо Ботев", "Хаджи Димитър");
    EXPECT_EQ(quiz.Text(), "Вярно  автор Христо Ботев творба Хаджи Димитър");
    Play(quiz, "Иван Вазов", "Под игото");
    quiz.ClearClick();
    EXPECT_EQ(quiz.Settlements().ListCount(), 4);
    EXPECT_EQ(quiz.MissedLines().front(), "Иван Вазов – Под игото");
    EXPECT_THROW(quiz.UseTable(std::make_shared<const quiz::PairTable>()), std::invalid_argument);
    EXPECT_EQ(quiz.Settlements().ListCount(), 4);
}

} // namespace
