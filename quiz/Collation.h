// SPDX-License-Identifier: MIT
// Bulgarian alphabetical order for the pick lists.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

namespace quiz {

class TextCollation;

// The order of TextCollation. While the built-in table is in play, its texts are compared by
// their places in that order, worked out when the program is built, so filling the lists
// needs no collator at start-up; the platform's collator is opened only if a text from
// elsewhere is compared. Any other table is compared by the platform's collator alone: a list
// mixing the two orders could be inconsistent where they disagree (Windows' against ICU's).
class Collation {
public:
    using Order = std::function<bool(std::string_view, std::string_view)>;

    // In place of the platform's collator, another order can be given, as tests do.
    explicit Collation(Order platform = {});
    ~Collation();
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    [[nodiscard]] bool Less(std::string_view a, std::string_view b) const;
    // Whether the built-in table's texts are compared by their places; on at first.
    void UseTableOrder(bool use) { m_tableOrder = use; }

private:
    Order m_given;
    bool m_tableOrder = true;
    mutable std::unique_ptr<TextCollation> m_platform;
};

} // namespace quiz
