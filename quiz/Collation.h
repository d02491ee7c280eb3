// SPDX-License-Identifier: MIT
// Bulgarian alphabetical order for the pick lists.
#pragma once

#include <memory>
#include <string_view>

namespace quiz {

class TextCollation;

// The order of TextCollation. The site table's own texts are compared by their places in that
// order, worked out when the program is built, so filling the lists needs no collator at
// start-up; the platform's collator is opened only if a text from elsewhere is ever compared.
class Collation {
public:
    Collation();
    ~Collation();
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    [[nodiscard]] bool Less(std::string_view a, std::string_view b) const;

private:
    mutable std::unique_ptr<TextCollation> m_platform;
};

} // namespace quiz
