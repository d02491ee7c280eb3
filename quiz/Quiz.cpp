// SPDX-License-Identifier: MIT
#include "Quiz.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <stdexcept>

namespace quiz {
namespace {

void Notify(const std::function<void()>& observer) {
    if (observer) {
        observer();
    }
}

} // namespace

std::string ScoreText(int rightPairs, int checks, bool roundOver, bool practice) {
    if (checks == 0) {
        return practice ? std::string(kPracticeRound) : std::string();
    }
    std::string text(roundOver ? kRoundOver : kScoreRight);
    return text.append(std::to_string(rightPairs)).append(kScoreOf).append(std::to_string(checks));
}

Quiz::Quiz(std::string text) : m_text(std::move(text)) {}

void Quiz::SetText(std::string text) {
    m_text = std::move(text);
    Notify(m_textObserver);
}

void Quiz::UseTable(std::shared_ptr<const PairTable> table, std::string text) {
    if (!table || table->pairs.empty() || table->columns.size() < 2 || table->columns.size() > 3) {
        throw std::invalid_argument(
            "UseTable: needs a table of two or three columns with a pair, has " +
            (table ? std::to_string(table->columns.size()) + " columns and " +
                         std::to_string(table->pairs.size()) + " pairs"
                   : std::string("none")));
    }
    m_table = std::move(table);
    // The order worked out at build time is the built-in table's alone: one list holding
    // both its texts and others would be sorted by two collators at once.
    m_collation.UseTableOrder(BuiltIn());
    FillLists();
    SetText(std::move(text));
}

bool Quiz::RoundOver() const {
    return m_checks > 0 && m_settlements.ListCount() == 0 && m_sites.ListCount() == 0;
}

std::string Quiz::ScoreText() const {
    return quiz::ScoreText(m_rightPairs, m_checks, RoundOver(), m_practice);
}

std::vector<std::size_t> Quiz::MissedRows() const {
    std::vector<std::size_t> rows = m_round.Unmatched();
    std::stable_sort(rows.begin(), rows.end(), [this](std::size_t a, std::size_t b) {
        return m_collation.Less(m_table->pairs[a].left, m_table->pairs[b].left);
    });
    return rows;
}

std::vector<std::string> Quiz::MissedLines() const {
    std::vector<std::string> lines;
    for (const std::size_t row : MissedRows()) {
        lines.push_back(ReviewLine(*m_table, m_table->pairs[row]));
    }
    return lines;
}

void Quiz::FillLists() {
    std::vector<std::size_t> rows(m_table->pairs.size());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    StartRound(std::move(rows), false);
}

void Quiz::PracticeMissed() {
    std::vector<std::size_t> missed = m_round.Unmatched();
    if (!RoundOver() || missed.empty()) {
        throw std::logic_error("PracticeMissed: needs a round over with a missed row, has " +
                               std::to_string(m_checks) + " checks and " +
                               std::to_string(missed.size()) + " rows not matched");
    }
    StartRound(std::move(missed), true);
    SetText({});
}

void Quiz::PracticeRows(std::vector<std::size_t> rows) {
    if (rows.empty()) {
        throw std::invalid_argument("PracticeRows: needs at least one pair");
    }
    for (const std::size_t row : rows) {
        if (row >= m_table->pairs.size()) {
            throw std::out_of_range("PracticeRows: no pair " + std::to_string(row) +
                                    " in a table of " + std::to_string(m_table->pairs.size()));
        }
    }
    StartRound(std::move(rows), true);
    SetText({});
}

void Quiz::StartRound(std::vector<std::size_t> rows, bool practice) {
    std::vector<std::string> lefts;
    std::vector<std::string> rights;
    for (const std::size_t row : rows) {
        lefts.push_back(m_table->pairs[row].left);
        rights.push_back(m_table->pairs[row].right);
    }
    m_settlements.Fill(std::move(lefts));
    m_sites.Fill(std::move(rights));
    m_round.Start(std::move(rows));
    m_checks = 0;
    m_rightPairs = 0;
    m_practice = practice;
    m_lastCheck = {};
    Notify(m_scoreObserver);
}

void Quiz::CheckPair() {
    const int settlementIndex = m_settlements.ListIndex();
    const int siteIndex = m_sites.ListIndex();
    if (settlementIndex < 0 || siteIndex < 0) {
        throw std::logic_error("CheckPair: needs a selection in both lists, has ListIndex " +
                               std::to_string(settlementIndex) + " and " +
                               std::to_string(siteIndex));
    }
    const std::string settlement = m_settlements.List(settlementIndex);
    const std::string site = m_sites.List(siteIndex);

    const std::vector<Pair>& pairs = m_table->pairs;
    std::optional<std::size_t> match;
    for (std::size_t pair = pairs.size(); pair-- > 0;) {
        if (pairs[pair].left != settlement || pairs[pair].right != site) {
            continue;
        }
        if (!match || m_round.Open(pair)) {
            match = pair;
        }
        if (m_round.Open(pair)) {
            break;
        }
    }
    // A left text that is in no pair, which only a caller adding items of its own can bring
    // about, is judged against the first pair.
    const bool unknown = std::none_of(pairs.begin(), pairs.end(), [&settlement](const Pair& pair) {
        return pair.left == settlement;
    });
    if (unknown && pairs.front().right == site) {
        match = 0;
    }
    const bool counted = match && (unknown || m_round.Open(*match));
    m_lastCheck = {settlement, site, match.has_value()};

    const std::vector<std::string>& columns = m_table->columns;
    std::string verdict;
    if (match) {
        verdict.append(kRightWord).append(kSpace).append(columns[0]).append(kSpace);
        verdict.append(settlement).append(kSpace).append(columns[1]).append(kSpace).append(site);
        if (m_table->HasNotes()) {
            verdict.append(kLineBreak).append(kSpace).append(columns[2]).append(kSpace);
            verdict.append(pairs[*match].note);
        }
        if (!counted) {
            verdict.append(kLineBreak).append(kAlreadyMatched);
        }
    } else {
        verdict.append(kWrongWord).append(settlement).append(kSpace).append(columns[1]);
        verdict.append(kSpace).append(site).append(kLineBreak);
    }
    // One replacement shows what writing the pieces one after another would leave behind,
    // without letting a view draw the half-made verdict.
    SetText(std::move(verdict));

    m_settlements.RemoveItem(settlementIndex);
    m_sites.RemoveItem(siteIndex);
    m_settlements.SetListIndex(-1);
    m_sites.SetListIndex(-1);

    ++m_checks;
    if (counted) {
        ++m_rightPairs;
        m_round.Matched(*match);
    }
    Notify(m_scoreObserver);
    Notify(m_pairCheckedObserver);
}

void Quiz::ListClick() {
    if (m_settlements.ListIndex() > -1 && m_sites.ListIndex() > -1) {
        CheckPair();
    }
}

void Quiz::ClearClick() {
    FillLists();
    SetText({});
}

} // namespace quiz
