// SPDX-License-Identifier: MIT
#include "QuizModel.h"

#include <SiteTable.h>
#include <TextCollation.h>
#include <algorithm>

namespace quizmodel {
namespace {

// Alphabetical order straight from the platform's collator, not from the order that the
// engine works out for the table when it is built.
bool Less(std::string_view a, std::string_view b) {
    static const quiz::TextCollation collation;
    return collation.Less(a, b);
}

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end(), Less);
    return texts;
}

} // namespace

void QuizModel::Fill() {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < quiz::kSiteTable.size(); ++row) {
        rows.push_back(row);
    }
    Offer(rows);
}

void QuizModel::Offer(std::vector<std::size_t> rows) {
    std::vector<std::string> settlements;
    std::vector<std::string> sites;
    for (const std::size_t row : rows) {
        settlements.emplace_back(quiz::kSiteTable[row].settlement);
        sites.emplace_back(quiz::kSiteTable[row].site);
    }
    // The whole table's lists are sorted once: random play fills them thousands of times.
    static const std::array<std::vector<std::string>, 2> full = [] {
        std::vector<std::string> allSettlements;
        std::vector<std::string> allSites;
        for (const auto& row : quiz::kSiteTable) {
            allSettlements.emplace_back(row.settlement);
            allSites.emplace_back(row.site);
        }
        return std::array{Sorted(allSettlements), Sorted(allSites)};
    }();
    lists = rows.size() == quiz::kSiteTable.size()
                ? full
                : std::array{Sorted(std::move(settlements)), Sorted(std::move(sites))};
    selection = {-1, -1};
    checks = 0;
    right = 0;
    offered = std::move(rows);
    matched.clear();
}

bool QuizModel::Over() const {
    return checks > 0 && lists[0].empty() && lists[1].empty();
}

std::vector<std::size_t> QuizModel::Missed() const {
    std::vector<std::size_t> missed;
    for (const std::size_t row : offered) {
        if (std::find(matched.begin(), matched.end(), row) == matched.end()) {
            missed.push_back(row);
        }
    }
    std::sort(missed.begin(), missed.end(), [](std::size_t a, std::size_t b) {
        return Less(quiz::kSiteTable[a].settlement, quiz::kSiteTable[b].settlement);
    });
    return missed;
}

std::string QuizModel::ReviewLine(std::size_t row) {
    const auto trim = [](std::string_view text) {
        while (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        }
        while (!text.empty() && text.back() == ' ') {
            text.remove_suffix(1);
        }
        return std::string(text);
    };
    const quiz::SiteRow& texts = quiz::kSiteTable.at(row);
    return trim(texts.settlement) + " – " + trim(texts.site) + ", област " + trim(texts.region);
}

bool QuizModel::Practice() {
    std::vector<std::size_t> missed = Missed();
    if (!Over() || missed.empty()) {
        return false;
    }
    Offer(std::move(missed));
    text.clear();
    return true;
}

bool QuizModel::Select(int list, int index) {
    auto& texts = lists.at(static_cast<std::size_t>(list));
    if (index < -1 || index >= static_cast<int>(texts.size())) {
        return false;
    }
    selection.at(static_cast<std::size_t>(list)) = index;
    if (selection[0] < 0 || selection[1] < 0) {
        return true;
    }
    const std::string settlement = lists[0][static_cast<std::size_t>(selection[0])];
    const std::string site = lists[1][static_cast<std::size_t>(selection[1])];
    // The settlement's row decides; one that is in no row counts as the first row's.
    std::size_t found = 0;
    for (std::size_t candidate = 0; candidate < quiz::kSiteTable.size(); ++candidate) {
        if (quiz::kSiteTable[candidate].settlement == settlement) {
            found = candidate;
        }
    }
    const quiz::SiteRow* row = &quiz::kSiteTable[found];
    ++checks;
    if (row->site == site) {
        ++right;
        matched.push_back(found);
        text = "Вярно  селище " + settlement + " забележителност " + site + "\r\n област " +
               std::string(row->region);
    } else {
        text = "Грешно " + settlement + " забележителност " + site + "\r\n";
    }
    lists[0].erase(lists[0].begin() + selection[0]);
    lists[1].erase(lists[1].begin() + selection[1]);
    selection = {-1, -1};
    return true;
}

void QuizModel::Clear() {
    Fill();
    text.clear();
}

std::string QuizModel::ScoreText() const {
    if (checks == 0) {
        return {};
    }
    return (Over() ? "Край: " : "Верни: ") + std::to_string(right) + " от " +
           std::to_string(checks);
}

} // namespace quizmodel
