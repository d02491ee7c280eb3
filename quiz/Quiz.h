// SPDX-License-Identifier: MIT
// The quiz engine: two pick lists, the message text, and the rules that join them.
#pragma once

#include "Collation.h"
#include "PairTable.h"
#include "PickList.h"
#include "Round.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// The pieces a verdict is joined from, with the table's column names between them and the
// texts: "Вярно  селище Мелник забележителност Кордопулова къща\r\n област Благоевград".
inline constexpr std::string_view kRightWord = "Вярно ";
inline constexpr std::string_view kWrongWord = "Грешно ";
inline constexpr std::string_view kSpace = " ";
inline constexpr std::string_view kLineBreak = "\r\n";
// Where texts repeat in a table, a true pair may be picked again once each of its rows is
// matched; it is told as true, and as not counted, since it matches no row of the round.
inline constexpr std::string_view kAlreadyMatched = " (вече отгатната в този кръг, не се брои)";

// The pieces of the running score: "Верни: 3 от 5" while a round goes on, "Край: 57 от 60"
// once every pair has been checked; a practice round is named until its first check.
inline constexpr std::string_view kScoreRight = "Верни: ";
inline constexpr std::string_view kRoundOver = "Край: ";
inline constexpr std::string_view kScoreOf = " от ";
inline constexpr std::string_view kPracticeRound = "Упражнение";

// The score as the learner reads it: empty before the first check of a full round.
[[nodiscard]] std::string ScoreText(int rightPairs, int checks, bool roundOver,
                                    bool practice = false);

// The texts of the latest check, and whether the verdict said they belong together.
struct CheckedPair {
    std::string left;
    std::string right;
    bool belong = false;
};

// The whole state of one quiz: the table of pairs in play, pick list 0 with their left texts
// (the settlements of the built-in table), pick list 1 with their right texts (the sites),
// and the message text with the latest verdict. Views read it here and keep no copy.
class Quiz {
public:
    // The message text starts as the given text, until the first verdict replaces it.
    explicit Quiz(std::string text = {});
    Quiz(const Quiz&) = delete;
    Quiz& operator=(const Quiz&) = delete;

    [[nodiscard]] PickList& Settlements() { return m_settlements; }
    [[nodiscard]] PickList& Sites() { return m_sites; }
    [[nodiscard]] const PickList& Settlements() const { return m_settlements; }
    [[nodiscard]] const PickList& Sites() const { return m_sites; }

    [[nodiscard]] const PairTable& Table() const { return *m_table; }
    [[nodiscard]] bool BuiltIn() const { return m_table == BuiltInTable(); }
    // Puts another table in play and starts a full round of it, with the given message.
    // Throws std::invalid_argument for a table with no pairs or without two or three columns.
    void UseTable(std::shared_ptr<const PairTable> table, std::string text = {});

    [[nodiscard]] const std::string& Text() const { return m_text; }
    // The text is only ever replaced whole; the observer hears of each replacement.
    void SetText(std::string text);
    void SetTextObserver(std::function<void()> observer) { m_textObserver = std::move(observer); }

    // Counted since the lists were last filled. A right pair is a check that matched a row
    // of the round, so right pairs and the rows missed add up to the rows offered.
    [[nodiscard]] int Checks() const { return m_checks; }
    [[nodiscard]] int RightPairs() const { return m_rightPairs; }
    // The round is one of practice, of the rows the round before missed.
    [[nodiscard]] bool Practice() const { return m_practice; }
    // Every pair of the round has been checked: both lists are empty.
    [[nodiscard]] bool RoundOver() const;
    [[nodiscard]] std::string ScoreText() const;
    // Hears of each change of the score: a check, or a fill that starts a round.
    void SetScoreObserver(std::function<void()> observer) { m_scoreObserver = std::move(observer); }
    // Hears of each check once it is complete: verdict written, items removed, no selection.
    void SetPairCheckedObserver(std::function<void()> observer) {
        m_pairCheckedObserver = std::move(observer);
    }

    // The pairs of the table that this round offers, in the order they were offered.
    [[nodiscard]] const std::vector<std::size_t>& OfferedRows() const { return m_round.Offered(); }
    // The latest check of this round; empty texts before the first.
    [[nodiscard]] const CheckedPair& LastCheck() const { return m_lastCheck; }
    // The pairs of the table that this round has not matched, in the order of the left list.
    // Once the round is over, these are the pairs it missed.
    [[nodiscard]] std::vector<std::size_t> MissedRows() const;
    // The same pairs as a review shows them (ReviewLine).
    [[nodiscard]] std::vector<std::string> MissedLines() const;

    // Both pick lists anew from the table, with no selection, and a new round's score.
    void FillLists();
    // A practice round: both lists anew with the pairs that the round just over missed, a new
    // score and an empty message. Throws std::logic_error unless a round is over with a miss.
    void PracticeMissed();
    // A practice round of the given pairs of the table, as PracticeMissed plays the missed
    // ones. Throws std::out_of_range for a pair the table does not have, and
    // std::invalid_argument for none.
    void PracticeRows(std::vector<std::size_t> rows);
    // Judges the selected texts, writes the verdict and takes both items out. A pair is right
    // when a pair of the table holds both texts; texts may repeat in a table, so the pair
    // that counts is the last such one still open in the round. A true pair whose rows are
    // all matched already is told as true and as not counted (kAlreadyMatched), with the
    // last such row's note. A left text in no pair is judged against the first pair.
    // Throws std::logic_error unless both lists have a selection.
    void CheckPair();

    // A selection in either pick list: the check runs once both lists have one.
    void ListClick();
    // The clear button: full lists again and an empty message.
    void ClearClick();

private:
    void StartRound(std::vector<std::size_t> rows, bool practice);

    std::shared_ptr<const PairTable> m_table = BuiltInTable();
    Collation m_collation;
    PickList m_settlements{m_collation};
    PickList m_sites{m_collation};
    std::string m_text;
    Round m_round;
    CheckedPair m_lastCheck;
    int m_checks = 0;
    int m_rightPairs = 0;
    bool m_practice = false;
    std::function<void()> m_textObserver;
    std::function<void()> m_scoreObserver;
    std::function<void()> m_pairCheckedObserver;
};

} // namespace quiz
