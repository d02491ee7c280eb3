// SPDX-License-Identifier: MIT
// What the quiz's rounds mean for a learner's progress, and what the progress means for the
// table in play: which pairs a round rates, which are due, learned and hardest.
#pragma once

#include "Store.h"

#include <PairTable.h>
#include <Quiz.h>
#include <cstddef>
#include <map>
#include <vector>

namespace progress {

// The key a table's progress is kept under: the built-in table's is "built-in", whatever its
// captions say; a teacher's table is known by its title, as "table:" and the title.
[[nodiscard]] std::string TableKey(const quiz::Quiz& quiz);

// What an ended round rates: each offered pair Good where it was matched, Again where missed.
struct EndedRound {
    std::vector<PairTexts> offered;
    std::vector<bool> matched;
    bool practice = false;
};
[[nodiscard]] EndedRound RoundOf(const quiz::Quiz& quiz);

// The pairs of the table, by position, that were seen before and are due now.
[[nodiscard]] std::vector<std::size_t>
DueRows(const quiz::PairTable& table, const std::map<PairTexts, PairRecord>& pairs, TimeMs now);
// How many of the table's pairs are learned.
[[nodiscard]] int LearnedPairs(const quiz::PairTable& table,
                               const std::map<PairTexts, PairRecord>& pairs);

struct HardPair {
    PairTexts texts;
    int misses = 0;
};
// The pairs missed in most rounds, most first, at most the count; none that was never missed.
[[nodiscard]] std::vector<HardPair> Hardest(const std::map<PairTexts, PairRecord>& pairs,
                                            std::size_t count);

// A learner's figures for the table in play, as the progress window shows them.
struct Figures {
    int learned = 0;
    int pairs = 0;
    int due = 0;
    // One a day, oldest first, the last today's: a day without answers has none, and learned
    // -1 where no round ended on it.
    std::vector<DayRecord> days;
    int answersToday = 0;
    int rightToday = 0;
    std::vector<HardPair> hardest;
};
// From the store's pairs and days (Store::Days since the first day shown); today is the local
// date, yyyy-mm-dd, and the chart shows that many days up to it.
[[nodiscard]] Figures FiguresOf(const quiz::PairTable& table,
                                const std::map<PairTexts, PairRecord>& pairs,
                                const std::vector<DayRecord>& days, const std::string& today,
                                int chartDays, std::size_t hardest, TimeMs now);

} // namespace progress
