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
    std::vector<int> practiceDays;
    for (int day = days - 1; day >= 0; --day) {
        if (day % 3 != 2) {
            practiceDays.push_back(day);
        }
    }
    int recorded = 0;
    const auto practiced = static_cast<int>(practiceDays.size());
    for (int k = 0; k < practiced; ++k) {
        const int day = practiceDays[static_cast<std::size_t>(k)];
        // The rounds spread evenly over the practice days, from four in the afternoon on.
        const int today = rounds * (k + 1) / practiced - rounds * k / practiced;
        progress::TimeMs now = until - day * progress::kDayMs - 2 * 3600'000LL;
        for (int n = 0; n < today; ++n) {
            const double skill = 0.5 + 0.49 * (days - day) / days;
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
