// SPDX-License-Identifier: MIT
#include "Learning.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>

namespace progress {

std::string TableKey(const quiz::Quiz& quiz) {
    return quiz.BuiltIn() ? std::string("built-in") : "table:" + quiz.Table().title;
}

EndedRound RoundOf(const quiz::Quiz& quiz) {
    EndedRound round;
    round.practice = quiz.Practice();
    const std::vector<std::size_t> missed = quiz.MissedRows();
    for (const std::size_t row : quiz.OfferedRows()) {
        const quiz::Pair& pair = quiz.Table().pairs.at(row);
        round.offered.emplace_back(pair.left, pair.right);
        round.matched.push_back(std::find(missed.begin(), missed.end(), row) == missed.end());
    }
    return round;
}

std::vector<std::size_t> DueRows(const quiz::PairTable& table,
                                 const std::map<PairTexts, PairRecord>& pairs, TimeMs now) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < table.pairs.size(); ++row) {
        const auto found = pairs.find({table.pairs[row].left, table.pairs[row].right});
        if (found != pairs.end() && Due(found->second.memory, now)) {
            rows.push_back(row);
        }
    }
    return rows;
}

int LearnedPairs(const quiz::PairTable& table, const std::map<PairTexts, PairRecord>& pairs) {
    return static_cast<int>(
        std::count_if(table.pairs.begin(), table.pairs.end(), [&pairs](const quiz::Pair& pair) {
            const auto found = pairs.find({pair.left, pair.right});
            return found != pairs.end() && Learned(found->second.memory);
        }));
}

std::vector<HardPair> Hardest(const std::map<PairTexts, PairRecord>& pairs, std::size_t count) {
    std::vector<HardPair> hard;
    for (const auto& [texts, record] : pairs) {
        if (record.again > 0) {
            hard.push_back({texts, record.again});
        }
    }
    // Ties keep the order of the texts, so that the list does not change between openings.
    std::stable_sort(hard.begin(), hard.end(),
                     [](const HardPair& a, const HardPair& b) { return a.misses > b.misses; });
    hard.resize(std::min(hard.size(), count));
    return hard;
}

namespace {

// The date so many days before a yyyy-mm-dd date, written the same way.
std::string DaysBefore(const std::string& date, int days) {
    std::array<int, 3> parts{};
    const char* at = date.data();
    const char* end = date.data() + date.size();
    for (int& part : parts) {
        at = std::from_chars(at, end, part).ptr + 1;
    }
    namespace chrono = std::chrono;
    const chrono::year_month_day day{
        chrono::sys_days{chrono::year{parts[0]} / parts[1] / parts[2]} - chrono::days{days}};
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text.data();
}

} // namespace

Figures FiguresOf(const quiz::PairTable& table, const std::map<PairTexts, PairRecord>& pairs,
                  const std::vector<DayRecord>& days, const std::string& today, int chartDays,
                  std::size_t hardest, TimeMs now) {
    Figures figures;
    figures.learned = LearnedPairs(table, pairs);
    figures.pairs = static_cast<int>(table.pairs.size());
    figures.due = static_cast<int>(DueRows(table, pairs, now).size());
    for (int day = chartDays - 1; day >= 0; --day) {
        figures.days.push_back({DaysBefore(today, day)});
    }
    for (const DayRecord& record : days) {
        const auto found =
            std::find_if(figures.days.begin(), figures.days.end(),
                         [&record](const DayRecord& day) { return day.date == record.date; });
        if (found != figures.days.end()) {
            *found = record;
        }
    }
    if (!figures.days.empty()) {
        figures.answersToday = figures.days.back().right + figures.days.back().wrong;
        figures.rightToday = figures.days.back().right;
    }
    figures.hardest = Hardest(pairs, hardest);
    return figures;
}

} // namespace progress
