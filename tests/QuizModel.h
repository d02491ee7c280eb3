// SPDX-License-Identifier: MIT
// A reference model of the quiz rules, written from the rules alone, to check the engine by.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace quizmodel {

struct Row {
    std::string left;
    std::string right;
    std::string note;
};

// The built-in site table's rows, as the model plays it unless given another.
[[nodiscard]] std::vector<Row> SiteRows();

// Plain containers and the rules as a learner would state them: the lists hold the table's
// texts in Bulgarian alphabetical order; choosing a text in each list judges the pair, shows
// the verdict and takes both texts out; the clear button fills the lists and empties the text.
// A pair is right when a row holds both texts and that row is still to be matched this round;
// a true pair whose rows are all matched is told so and not counted.
struct QuizModel {
    std::vector<Row> rows = SiteRows();
    // The column names; with a third, the rows have notes.
    std::vector<std::string> columns{"селище", "забележителност", "област"};

    std::array<std::vector<std::string>, 2> lists;
    std::array<int, 2> selection{-1, -1};
    std::string text;
    int checks = 0; // since the last fill
    int right = 0;
    bool practice = false;
    std::vector<std::size_t> offered; // the rows in this round
    std::vector<std::size_t> matched; // those of them checked as a right pair

    void Fill();
    // Choosing a position in a list, -1 for none. False for a position the list does not
    // have, which changes nothing.
    bool Select(int list, int index);
    void Clear();
    // "Верни: R от C" during a round, "Край: R от C" once the lists are empty, "" before, or
    // "Упражнение" before the first check of a practice round.
    [[nodiscard]] std::string ScoreText() const;
    [[nodiscard]] bool Over() const;
    // The rows offered and not matched, by the left text's alphabetical order.
    [[nodiscard]] std::vector<std::size_t> Missed() const;
    // "Left – right, column note", each text without its outer spaces.
    [[nodiscard]] std::string ReviewLine(std::size_t row) const;
    // Plays the missed rows again; false, changing nothing, when no round is over with a miss.
    bool Practice();

private:
    void Offer(std::vector<std::size_t> chosen);
};

} // namespace quizmodel
