// SPDX-License-Identifier: MIT
// One round of the quiz: which rows of the site table it offers, and which it has matched.
#pragma once

#include "SiteTable.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quiz {

// Rows are positions in the site table. A full round offers every row; a practice round
// offers the rows that an earlier round missed.
class Round {
public:
    void Start(std::vector<std::size_t> rows);
    // The row's settlement and site were checked together as a right pair.
    void Matched(std::size_t row);
    // The offered rows not matched so far, in the order they were offered.
    [[nodiscard]] std::vector<std::size_t> Unmatched() const;

private:
    std::vector<std::size_t> m_offered;
    std::vector<bool> m_matched;
};

// What a review shows for a row that was missed: "Асеновград – Бачковски манастир, област
// Пловдив". The table's texts are trimmed, as a reader sees them ("Родопи " has a space).
[[nodiscard]] std::string ReviewLine(const SiteRow& row);

} // namespace quiz
