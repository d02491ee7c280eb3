// SPDX-License-Identifier: MIT
#include "Round.h"

#include <algorithm>

namespace quiz {

void Round::Start(std::vector<std::size_t> pairs) {
    m_offered = std::move(pairs);
    m_open.assign(m_offered.empty() ? 0 : *std::max_element(m_offered.begin(), m_offered.end()) + 1,
                  false);
    for (const std::size_t pair : m_offered) {
        m_open[pair] = true;
    }
}

void Round::Matched(std::size_t pair) {
    if (pair < m_open.size()) {
        m_open[pair] = false;
    }
}

bool Round::Open(std::size_t pair) const {
    return pair < m_open.size() && m_open[pair];
}

std::vector<std::size_t> Round::Unmatched() const {
    std::vector<std::size_t> pairs;
    std::copy_if(m_offered.begin(), m_offered.end(), std::back_inserter(pairs),
                 [this](std::size_t pair) { return m_open[pair]; });
    return pairs;
}

} // namespace quiz
