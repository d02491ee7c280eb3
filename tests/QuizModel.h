// SPDX-License-Identifier: MIT
// A reference model of the quiz rules, written from the rules alone, to check the engine by.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quizmodel {

// Plain containers and the rules as a learner would state them: the lists hold the table's
// texts in Bulgarian alphabetical order; choosing a text in each list judges the pair, shows
// the verdict and takes both texts out; the clear button fills the lists and empties the text.
struct QuizModel {
    std::array<std::vector<std::string>, 2> lists;
    std::array<int, 2> selection{-1, -1};
    std::string text;
    int checks = 0; // since the last fill
    int right = 0;

    void Fill();
    // Choosing a position in a list, -1 for none. False for a position the list does not
    // have, which changes nothing.
    bool Select(int list, int index);
    void Clear();
    // "Верни: R от C" during a round, "Край: R от C" once the lists are empty, "" before.
    [[nodiscard]] std::string ScoreText() const;
};

} // namespace quizmodel
