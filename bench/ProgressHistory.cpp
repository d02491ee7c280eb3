// SPDX-License-Identifier: MIT
#include "ProgressHistory.h"

#include <PairTable.h>
#include <random>
#include <vector>

namespace benchhistory {

int FillHistory(progress::Store& store, int checks, int days, progress::TimeMs until) {
    const quiz::PairTable& table = *quiz::BuiltInTable();
    std::mt19937 random(2026);
    const int rounds = std::max(1, checks / static_cast<int>(table.pairs.size()));
    int recorded = 0;
    int round = 0;
    for (int day = days - 1; day >= 0 && recorded < checks; --day) {
        if (day % 3 == 2) {
            continue;
        }
        // The day's share of the rounds, at four in the afternoon and on.
        const int today = std::max(1, (rounds * 3 + 2 * days - 1) / (2 * days));
        progress::TimeMs now = until - day * progress::kDayMs - 2 * 3600'000LL;
        for (int n = 0; n < today && recorded < checks; ++n, ++round) {
            const double skill = 0.3 + 0.65 * (days - day) / days;
            std::vector<progress::PairTexts> offered;
            std::vector<bool> matched;
            for (const quiz::Pair& pair : table.pairs) {
                const bool right = std::bernoulli_distribution(skill)(random);
                offered.emplace_back(pair.left, pair.right);
                matched.push_back(right);
                const quiz::Pair& picked =
                    right ? pair : table.pairs[random() % table.pairs.size()];
                store.RecordCheck(kLearner, kTable, {pair.left, picked.right}, right, now);
                now += 4000;
                ++recorded;
            }
            store.RecordRound(kLearner, kTable, offered, matched, false, now);
        }
    }
    return recorded;
}

} // namespace benchhistory
