// SPDX-License-Identifier: MIT
#include "Round.h"

#include <algorithm>
#include <string_view>

namespace quiz {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

void Round::Start(std::vector<std::size_t> rows) {
    m_offered = std::move(rows);
    m_matched.assign(kSiteTable.size(), false);
}

void Round::Matched(std::size_t row) {
    m_matched.at(row) = true;
}

std::vector<std::size_t> Round::Unmatched() const {
    std::vector<std::size_t> rows;
    std::copy_if(m_offered.begin(), m_offered.end(), std::back_inserter(rows),
                 [this](std::size_t row) { return !m_matched[row]; });
    return rows;
}

std::string ReviewLine(const SiteRow& row) {
    std::string line(Trimmed(row.settlement));
    return line.append(" – ")
        .append(Trimmed(row.site))
        .append(", област ")
        .append(Trimmed(row.region));
}

} // namespace quiz
