// SPDX-License-Identifier: MIT
#include "Learning.h"

#include <algorithm>

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

} // namespace progress
