// SPDX-License-Identifier: MIT
// The quiz engine: two pick lists, the message text, and the rules that join them.
#pragma once

#include "Collation.h"
#include "PickList.h"
#include "Round.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// The pieces a verdict is joined from.
inline constexpr std::string_view kRightWord = "Вярно ";
inline constexpr std::string_view kWrongWord = "Грешно ";
inline constexpr std::string_view kBeforeSettlement = " селище ";
inline constexpr std::string_view kBeforeSite = " забележителност ";
inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kBeforeRegion = " област ";

// The pieces of the running score: "Верни: 3 от 5" while a round goes on, "Край: 57 от 60"
// once every pair has been checked.
inline constexpr std::string_view kScoreRight = "Верни: ";
inline constexpr std::string_view kRoundOver = "Край: ";
inline constexpr std::string_view kScoreOf = " от ";

// The score as the learner reads it: empty before the first check of a round.
[[nodiscard]] std::string ScoreText(int rightPairs, int checks, bool roundOver);

// The whole state of one quiz: pick list 0 offers the settlements, pick list 1 the sites,
// and the message text shows the latest verdict. Views read it here and keep no copy.
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

    [[nodiscard]] const std::string& Text() const { return m_text; }
    // The text is only ever replaced whole; the observer hears of each replacement.
    void SetText(std::string text);
    void SetTextObserver(std::function<void()> observer) { m_textObserver = std::move(observer); }

    // Counted since the lists were last filled.
    [[nodiscard]] int Checks() const { return m_checks; }
    [[nodiscard]] int RightPairs() const { return m_rightPairs; }
    // Every pair of the round has been checked: both lists are empty.
    [[nodiscard]] bool RoundOver() const;
    [[nodiscard]] std::string ScoreText() const;
    // Hears of each change of the score: a check, or a fill that starts a round.
    void SetScoreObserver(std::function<void()> observer) { m_scoreObserver = std::move(observer); }
    // Hears of each check once it is complete: verdict written, items removed, no selection.
    void SetPairCheckedObserver(std::function<void()> observer) {
        m_pairCheckedObserver = std::move(observer);
    }

    // The rows of the site table that this round has not matched as right pairs, in the order
    // of the settlement list. Once the round is over, these are the rows it missed.
    [[nodiscard]] std::vector<std::size_t> MissedRows() const;
    // The same rows as a review shows them, with their right pairs (ReviewLine).
    [[nodiscard]] std::vector<std::string> MissedLines() const;

    // Both pick lists anew from the site table, with no selection, and a new round's score.
    void FillLists();
    // A practice round: both lists anew with the rows that the round just over missed, a new
    // score and an empty message. Throws std::logic_error unless a round is over with a miss.
    void PracticeMissed();
    // Judges the selected settlement and site, writes the verdict and takes both items out.
    // Throws std::logic_error unless both lists have a selection.
    void CheckPair();

    // A selection in either pick list: the check runs once both lists have one.
    void ListClick();
    // The clear button: full lists again and an empty message.
    void ClearClick();

private:
    void StartRound(std::vector<std::size_t> rows);

    Collation m_collation;
    PickList m_settlements{m_collation};
    PickList m_sites{m_collation};
    std::string m_text;
    Round m_round;
    int m_checks = 0;
    int m_rightPairs = 0;
    std::function<void()> m_textObserver;
    std::function<void()> m_scoreObserver;
    std::function<void()> m_pairCheckedObserver;
};

} // namespace quiz
