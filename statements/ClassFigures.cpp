// SPDX-License-Identifier: MIT
#include "ClassFigures.h"

#include <Store.h>
#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace statements {

ClassFigures FiguresOf(const std::vector<Record>& records, const std::string& tableActivity,
                       std::size_t hardest) {
    std::set<std::string> seen;
    std::vector<const Record*> table;
    for (const Record& record : records) {
        if (record.table == tableActivity && seen.insert(record.id).second) {
            table.push_back(&record);
        }
    }
    // A round's completion has the time of its last answer, and comes after it.
    std::stable_sort(table.begin(), table.end(), [](const Record* a, const Record* b) {
        return std::tie(a->time, a->verb, a->id) < std::tie(b->time, b->verb, b->id);
    });

    struct Learner {
        LearnerFigures figures;
        // A round's answers, by pair: right or not.
        std::map<std::string, std::map<std::string, bool>> rounds;
        std::map<std::string, progress::MemoryState> memory;
    };
    std::map<std::string, Learner> learners;
    std::map<std::string, std::string> names;
    std::map<std::string, int> misses;
    for (const Record* record : table) {
        Learner& learner = learners[record->learner];
        learner.figures.learner = record->learner;
        learner.figures.lastSeen = std::max(learner.figures.lastSeen, record->time);
        if (record->verb == Record::Verb::kAnswered) {
            ++learner.figures.answers;
            learner.figures.right += record->success ? 1 : 0;
            learner.rounds[record->round][record->pair] = record->success;
            names[record->pair] = record->pairName;
            continue;
        }
        const auto round = learner.rounds.find(record->round);
        if (round == learner.rounds.end()) {
            continue;
        }
        for (const auto& [pair, right] : round->second) {
            progress::MemoryState& memory = learner.memory[pair];
            const progress::TimeMs at = std::max(record->time, memory.lastReview);
            memory = progress::Review(memory, at,
                                      right ? progress::Rating::kGood : progress::Rating::kAgain);
            misses[pair] += right ? 0 : 1;
        }
        learner.rounds.erase(round);
    }

    ClassFigures figures;
    figures.statements = table.size();
    for (auto& [name, learner] : learners) {
        learner.figures.learned = static_cast<int>(
            std::count_if(learner.memory.begin(), learner.memory.end(),
                          [](const auto& pair) { return progress::Learned(pair.second); }));
        figures.learners.push_back(learner.figures);
    }
    for (const auto& [pair, count] : misses) {
        if (count > 0) {
            figures.hardest.push_back({names[pair], count});
        }
    }
    std::stable_sort(figures.hardest.begin(), figures.hardest.end(),
                     [](const ClassPair& a, const ClassPair& b) { return a.misses > b.misses; });
    if (figures.hardest.size() > hardest) {
        figures.hardest.resize(hardest);
    }
    return figures;
}

} // namespace statements
