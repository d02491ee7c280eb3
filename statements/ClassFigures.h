// SPDX-License-Identifier: MIT
// A class's figures for one table, from every learner's statements as a learning record store
// or exported files give them back.
#pragma once

#include <Fsrs.h>
#include <cstddef>
#include <string>
#include <vector>

namespace statements {

// What the figures need of one statement; the reader leaves out any other.
struct Record {
    enum class Verb { kAnswered, kCompleted };
    std::string id;
    std::string learner; // the account's name
    Verb verb = Verb::kAnswered;
    std::string table; // the table's activity: the object, or an answer's parent
    std::string pair;  // an answer's activity
    std::string pairName;
    std::string round; // the registration
    bool success = false;
    progress::TimeMs time = 0;
};

struct LearnerFigures {
    std::string learner;
    int answers = 0;
    int right = 0;
    // Pairs learned by the rule of the progress window: each ended round rates its pairs Good
    // where they were answered right, Again where not, and a pair is learned once its memory
    // holds for a week.
    int learned = 0;
    progress::TimeMs lastSeen = 0;
};

struct ClassPair {
    std::string name;
    int misses = 0; // rounds, of every learner, in which it was missed
};

struct ClassFigures {
    std::vector<LearnerFigures> learners; // by name
    std::vector<ClassPair> hardest;       // most missed first
    std::size_t statements = 0;           // of the table, once each
};

// The figures of the table's statements; a statement met twice (by id) counts once.
[[nodiscard]] ClassFigures FiguresOf(const std::vector<Record>& records,
                                     const std::string& tableActivity, std::size_t hardest);

} // namespace statements
