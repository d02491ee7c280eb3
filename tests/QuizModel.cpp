// SPDX-License-Identifier: MIT
#include "QuizModel.h"

#include <SiteTable.h>
#include <TextCollation.h>
#include <algorithm>
#include <map>

namespace quizmodel {
namespace {

// Alphabetical order straight from the platform's collator, not from the order that the
// engine works out for the table when it is built.
bool Less(std::string_view a, std::string_view b) {
    static const quiz::TextCollation collation;
    return collation.Less(a, b);
}

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::stable_sort(texts.begin(), texts.end(), Less);
    return texts;
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

} // namespace

std::vector<Row> SiteRows() {
    std::vector<Row> rows;
    rows.reserve(quiz::kSiteTable.size());
    for (const auto& row : quiz::kSiteTable) {
        rows.push_back(
            {std::string(row.settlement), std::string(row.site), std::string(row.region)});
    }
    return rows;
}

void QuizModel::Fill() {
    std::vector<std::size_t> all(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        all[row] = row;
    }
    Offer(all);
    practice = false;
}

void QuizModel::Offer(std::vector<std::size_t> chosen) {
    // Sorting is cached by the rows offered: random play fills the lists thousands of times.
    static std::map<std::pair<std::vector<std::string>, std::vector<std::string>>,
                    std::array<std::vector<std::string>, 2>>
        sorted;
    std::vector<std::string> lefts;
    std::vector<std::string> rights;
    for (const std::size_t row : chosen) {
        lefts.push_back(rows[row].left);
        rights.push_back(rows[row].right);
    }
    auto key = std::make_pair(lefts, rights);
    auto found = sorted.find(key);
    if (found == sorted.end()) {
        found = sorted.emplace(std::move(key), std::array{Sorted(lefts), Sorted(rights)}).first;
    }
    lists = found->second;
    selection = {-1, -1};
    checks = 0;
    right = 0;
    offered = std::move(chosen);
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
    std::stable_sort(missed.begin(), missed.end(), [this](std::size_t a, std::size_t b) {
        return Less(rows[a].left, rows[b].left);
    });
    return missed;
}

std::string QuizModel::ReviewLine(std::size_t row) const {
    const Row& texts = rows.at(row);
    std::string line = Trimmed(texts.left) + " – " + Trimmed(texts.right);
    if (columns.size() > 2 && !Trimmed(texts.note).empty()) {
        line += ", " + columns[2] + " " + Trimmed(texts.note);
    }
    return line;
}

bool QuizModel::Practice() {
    std::vector<std::size_t> missed = Missed();
    if (!Over() || missed.empty()) {
        return false;
    }
    Offer(std::move(missed));
    practice = true;
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
    const std::string left = lists[0][static_cast<std::size_t>(selection[0])];
    const std::string site = lists[1][static_cast<std::size_t>(selection[1])];
    // Of the rows that hold both texts, the last one still to be matched, or else the last.
    const Row* told = nullptr;
    std::ptrdiff_t counted = -1;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].left != left || rows[row].right != site) {
            continue;
        }
        const bool inRound = std::find(offered.begin(), offered.end(), row) != offered.end() &&
                             std::find(matched.begin(), matched.end(), row) == matched.end();
        if (inRound) {
            counted = static_cast<std::ptrdiff_t>(row);
            told = &rows[row];
        } else if (counted < 0) {
            told = &rows[row];
        }
    }
    ++checks;
    if (told != nullptr) {
        text = "Вярно  " + columns[0] + " " + left + " " + columns[1] + " " + site;
        if (columns.size() > 2) {
            text += "\r\n " + columns[2] + " " + told->note;
        }
        if (counted >= 0) {
            ++right;
            matched.push_back(static_cast<std::size_t>(counted));
        } else {
            text += "\r\n (вече отгатната в този кръг, не се брои)";
        }
    } else {
        text = "Грешно " + left + " " + columns[1] + " " + site + "\r\n";
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
        return practice ? "Упражнение" : "";
    }
    return (Over() ? "Край: " : "Верни: ") + std::to_string(right) + " от " +
           std::to_string(checks);
}

} // namespace quizmodel
