// SPDX-License-Identifier: MIT
// The progress window's figures, worked out from what the store read: the chart's days, over
// month and year ends, today's answers, and the learned, due and hardest pairs of the table.
#include <Learning.h>
#include <gtest/gtest.h>

namespace {

constexpr progress::TimeMs kNow = 1'796'811'300'000;

struct ChartRow {
    const char* name;
    const char* today;
    int chartDays;
    std::vector<progress::DayRecord> read;
    const char* first;
    int answersToday;
    int rightToday;
    // A day that must show what was read for it, or nothing if empty.
    progress::DayRecord shown;
};

void PrintTo(const ChartRow& row, std::ostream* out) {
    *out << row.name;
}

class ChartDays : public testing::TestWithParam<ChartRow> {};

TEST_P(ChartDays, EndTodayAndShowWhatWasRead) {
    const ChartRow& row = GetParam();
    const quiz::PairTable table{"Т", {"а", "б"}, {{"Ямбол", "Кабиле", ""}}};
    const progress::Figures figures =
        progress::FiguresOf(table, {}, row.read, row.today, row.chartDays, 10, kNow);
    ASSERT_EQ(figures.days.size(), static_cast<std::size_t>(row.chartDays));
    EXPECT_EQ(figures.days.front().date, row.first);
    EXPECT_EQ(figures.days.back().date, row.today);
    for (std::size_t day = 1; day < figures.days.size(); ++day) {
        EXPECT_LT(figures.days[day - 1].date, figures.days[day].date);
    }
    EXPECT_EQ(figures.answersToday, row.answersToday);
    EXPECT_EQ(figures.rightToday, row.rightToday);
    int shownDays = 0;
    for (const progress::DayRecord& day : figures.days) {
        if (day.date == row.shown.date) {
            ++shownDays;
            EXPECT_EQ(day.right, row.shown.right);
            EXPECT_EQ(day.wrong, row.shown.wrong);
            EXPECT_EQ(day.learned, row.shown.learned);
        } else {
            EXPECT_EQ(day.right + day.wrong, 0) << day.date;
            EXPECT_EQ(day.learned, -1) << day.date;
        }
    }
    EXPECT_EQ(shownDays, row.shown.date.empty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartDays,
    testing::Values(ChartRow{"no_history", "2026-12-09", 30, {}, "2026-11-10", 0, 0, {}},
                    ChartRow{"today_answered",
                             "2026-12-09",
                             30,
                             {{"2026-11-09", 5, 5, 2}, {"2026-12-09", 2, 1, 1}},
                             "2026-11-10",
                             3,
                             2,
                             {"2026-12-09", 2, 1, 1}},
                    ChartRow{"over_a_leap_day",
                             "2028-03-01",
                             3,
                             {{"2028-02-29", 0, 4, -1}},
                             "2028-02-28",
                             0,
                             0,
                             {"2028-02-29", 0, 4, -1}},
                    ChartRow{"over_a_year_end", "2027-01-02", 5, {}, "2026-12-29", 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Figures, CountOnlyTheTablesPairsAndListTheHardestFirst) {
    const quiz::PairTable table{"Т",
                                {"а", "б"},
                                {{"Ямбол", "Кабиле", ""},
                                 {"Мелник", "Къща", ""},
                                 {"Русе", "Мост", ""},
                                 {"Бургас", "Залив", ""}}};
    progress::PairRecord learned;
    learned.memory.stability = progress::kLearnedStability;
    learned.memory.state = progress::CardState::kReview;
    learned.memory.due = kNow + progress::kDayMs;
    learned.again = 1;
    progress::PairRecord due;
    due.memory.stability = 1.0;
    due.memory.state = progress::CardState::kReview;
    due.memory.due = kNow;
    due.again = 3;
    progress::PairRecord other = learned;
    other.again = 7;
    const std::map<progress::PairTexts, progress::PairRecord> pairs{
        {{"Ямбол", "Кабиле"}, learned},
        {{"Мелник", "Къща"}, due},
        {{"Русе", "Мост"}, due},
        // Of another table's version: it counts for nothing here, and is hard all the same.
        {{"Варна", "Море"}, other}};
    const progress::Figures figures =
        progress::FiguresOf(table, pairs, {}, "2026-12-09", 30, 2, kNow);
    EXPECT_EQ(figures.pairs, 4);
    EXPECT_EQ(figures.learned, 1);
    EXPECT_EQ(figures.due, 2);
    ASSERT_EQ(figures.hardest.size(), 2U);
    EXPECT_EQ(figures.hardest[0].texts, (progress::PairTexts{"Варна", "Море"}));
    EXPECT_EQ(figures.hardest[0].misses, 7);
    // Ties in the order of the texts.
    EXPECT_EQ(figures.hardest[1].texts, (progress::PairTexts{"Мелник", "Къща"}));
}

} // namespace
