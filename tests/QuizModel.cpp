// SPDX-License-Identifier: MIT
#include "QuizModel.h"

#include <SiteTable.h>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <unicode/coll.h>
#include <unicode/unistr.h>

namespace quizmodel {
namespace {

// Alphabetical order by ICU sort keys: letters by the Bulgarian alphabet, case and
// punctuation ignored, then the bytes for texts that still tie.
std::vector<std::string> Sorted(std::vector<std::string> texts) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance("bg", status));
    collator->setStrength(icu::Collator::SECONDARY);
    collator->setAttribute(UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, status);
    if (U_FAILURE(status) != 0) {
        throw std::runtime_error("no Bulgarian collator");
    }
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(texts.size());
    for (auto& text : texts) {
        const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
        std::string key(static_cast<std::size_t>(collator->getSortKey(unicode, nullptr, 0)), '\0');
        collator->getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()),
                             static_cast<int32_t>(key.size()));
        keyed.emplace_back(std::move(key), std::move(text));
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> sorted;
    sorted.reserve(keyed.size());
    for (auto& [key, text] : keyed) {
        sorted.push_back(std::move(text));
    }
    return sorted;
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
