// SPDX-License-Identifier: MIT
#include "QuizModel.h"

#include <SiteTable.h>
#include <TextCollation.h>
#include <algorithm>

namespace quizmodel {
namespace {

// Alphabetical order straight from the platform's collator, not from the order that the
// engine works out for the table when it is built.
std::vector<std::string> Sorted(std::vector<std::string> texts) {
    const quiz::TextCollation collation;
    std::sort(texts.begin(), texts.end(), [&collation](const std::string& a, const std::string& b) {
        return collation.Less(a, b);
    });
    return texts;
}

} // namespace

void QuizModel::Fill() {
    std::vector<std::string> settlements;
    std::vector<std::string> sites;
    for (const auto& row : quiz::kSiteTable) {
        settlements.emplace_back(row.settlement);
        sites.emplace_back(row.site);
    }
    static const std::array<std::vector<std::string>, 2> full{Sorted(settlements), Sorted(sites)};
    lists = full;
    selection = {-1, -1};
    checks = 0;
    right = 0;
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
    const quiz::SiteRow* row = &quiz::kSiteTable.front();
    for (const auto& candidate : quiz::kSiteTable) {
        if (candidate.settlement == settlement) {
            row = &candidate;
        }
    }
    ++checks;
    if (row->site == site) {
        ++right;
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
    const bool over = lists[0].empty() && lists[1].empty();
    return (over ? "Край: " : "Верни: ") + std::to_string(right) + " от " + std::to_string(checks);
}

} // namespace quizmodel
