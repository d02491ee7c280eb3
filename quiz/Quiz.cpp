// SPDX-License-Identifier: MIT
#include "Quiz.h"

#include "SiteTable.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace quiz {
namespace {

void Notify(const std::function<void()>& observer) {
    if (observer) {
        observer();
    }
}

} // namespace

std::string ScoreText(int rightPairs, int checks, bool roundOver) {
    if (checks == 0) {
        return {};
    }
    std::string text(roundOver ? kRoundOver : kScoreRight);
    return text.append(std::to_string(rightPairs)).append(kScoreOf).append(std::to_string(checks));
}

Quiz::Quiz(std::string text) : m_text(std::move(text)) {}

void Quiz::SetText(std::string text) {
    m_text = std::move(text);
    Notify(m_textObserver);
}

bool Quiz::RoundOver() const {
    return m_checks > 0 && m_settlements.ListCount() == 0 && m_sites.ListCount() == 0;
}

std::string Quiz::ScoreText() const {
    return quiz::ScoreText(m_rightPairs, m_checks, RoundOver());
}

std::vector<std::size_t> Quiz::MissedRows() const {
    std::vector<std::size_t> rows = m_round.Unmatched();
    std::stable_sort(rows.begin(), rows.end(), [this](std::size_t a, std::size_t b) {
        return m_collation.Less(kSiteTable[a].settlement, kSiteTable[b].settlement);
    });
    return rows;
}

std::vector<std::string> Quiz::MissedLines() const {
    std::vector<std::string> lines;
    for (const std::size_t row : MissedRows()) {
        lines.push_back(ReviewLine(kSiteTable[row]));
    }
    return lines;
}

void Quiz::FillLists() {
    std::vector<std::size_t> rows(kSiteTable.size());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    StartRound(std::move(rows));
}

void Quiz::PracticeMissed() {
    std::vector<std::size_t> missed = m_round.Unmatched();
    if (!RoundOver() || missed.empty()) {
        throw std::logic_error("PracticeMissed: needs a round over with a missed row, has " +
                               std::to_string(m_checks) + " checks and " +
                               std::to_string(missed.size()) + " rows not matched");
    }
    StartRound(std::move(missed));
    SetText({});
}

void Quiz::StartRound(std::vector<std::size_t> rows) {
    m_settlements.Clear();
    m_sites.Clear();
    for (const std::size_t row : rows) {
        m_settlements.AddItem(std::string(kSiteTable[row].settlement));
        m_sites.AddItem(std::string(kSiteTable[row].site));
    }
    m_round.Start(std::move(rows));
    m_checks = 0;
    m_rightPairs = 0;
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

    // The row is found by the settlement's exact text. The scan runs to the end, so the last
    // matching row wins, and a settlement that is in no row is judged against row 0.
    std::size_t match = 0;
    for (std::size_t row = 0; row < kSiteTable.size(); ++row) {
        if (kSiteTable[row].settlement == settlement) {
            match = row;
        }
    }
    const SiteRow& row = kSiteTable[match];

    std::string verdict;
    const bool right = row.site == site;
    if (right) {
        verdict.append(kRightWord).append(kBeforeSettlement).append(settlement);
        verdict.append(kBeforeSite).append(site).append(kLineBreak);
        verdict.append(kBeforeRegion).append(row.region);
    } else {
        verdict.append(kWrongWord).append(settlement);
        verdict.append(kBeforeSite).append(site).append(kLineBreak);
    }
    // One replacement shows what writing the pieces one after another would leave behind,
    // without letting a view draw the half-made verdict.
    SetText(std::move(verdict));

    m_settlements.RemoveItem(settlementIndex);
    m_sites.RemoveItem(siteIndex);
    m_settlements.SetListIndex(-1);
    m_sites.SetListIndex(-1);

    ++m_checks;
    if (right) {
        ++m_rightPairs;
        m_round.Matched(match);
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
