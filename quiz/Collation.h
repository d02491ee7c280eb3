// SPDX-License-Identifier: MIT
// Bulgarian alphabetical order for the pick lists.
#pragma once

#include <memory>
#include <string_view>

namespace quiz {

class IcuCollation;

// The order of IcuCollation. The site table's own texts are compared by their places in that
// order, worked out when the program is built, so filling the lists needs no collator at
// start-up; ICU is loaded only if a text from elsewhere is ever compared.
class Collation {
public:
    Collation();
    ~Collation();
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    [[nodiscard]] bool Less(std::string_view a, std::string_view b) const;

private:
    mutable std::unique_ptr<IcuCollation> m_icu;
};

} // namespace quiz
