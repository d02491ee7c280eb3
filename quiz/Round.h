// SPDX-License-Identifier: MIT
// One round of the quiz: which pairs of the table in play it offers, and which it has matched.
#pragma once

#include <cstddef>
#include <vector>

namespace quiz {

// Pairs are positions in the table in play. A full round offers every pair; a practice round
// offers the pairs that an earlier round missed.
class Round {
public:
    void Start(std::vector<std::size_t> pairs);
    // The pair's two texts were checked together as a right pair.
    void Matched(std::size_t pair);
    // Offered in this round and not matched yet.
    [[nodiscard]] bool Open(std::size_t pair) const;
    // The pairs this round offers, in the order they were offered.
    [[nodiscard]] const std::vector<std::size_t>& Offered() const { return m_offered; }
    // The offered pairs not matched so far, in the order they were offered.
    [[nodiscard]] std::vector<std::size_t> Unmatched() const;

private:
    std::vector<std::size_t> m_offered;
    std::vector<bool> m_open;
};

} // namespace quiz
