// SPDX-License-Identifier: MIT
#include "Collation.h"

#include "TableOrder.h"
#include "TextCollation.h"

#include <algorithm>

namespace quiz {
namespace {

// The text's place in alphabetical order among the table's texts, or -1 for another text.
int TablePlace(std::string_view text) {
    const auto* found = std::lower_bound(
        kTableOrder.begin(), kTableOrder.end(), text,
        [](const TablePlaceOf& entry, std::string_view key) { return entry.text < key; });
    return found != kTableOrder.end() && found->text == text ? found->place : -1;
}

} // namespace

Collation::Collation(Order platform) : m_given(std::move(platform)) {}

Collation::~Collation() = default;

bool Collation::Less(std::string_view a, std::string_view b) const {
    if (m_tableOrder) {
        const int placeA = TablePlace(a);
        const int placeB = TablePlace(b);
        if (placeA >= 0 && placeB >= 0) {
            return placeA < placeB;
        }
    }
    if (m_given) {
        return m_given(a, b);
    }
    if (!m_platform) {
        m_platform = std::make_unique<TextCollation>();
    }
    return m_platform->Less(a, b);
}

} // namespace quiz
