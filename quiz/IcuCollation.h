// SPDX-License-Identifier: MIT
// Bulgarian alphabetical order for any two texts, from ICU.
#pragma once

#include <memory>
#include <string_view>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Collator;
U_NAMESPACE_END

namespace quiz {

// Orders texts as a Bulgarian reader expects: by the alphabet, ignoring letter case, and
// ignoring quotation marks, hyphens and spaces, so that "Музей „Кольо Фичето“" stands
// among the other museums rather than wherever its quote sorts. Texts that still tie are
// ordered by their bytes, so the order is total and the same on every run.
class IcuCollation {
public:
    IcuCollation();
    ~IcuCollation();
    IcuCollation(const IcuCollation&) = delete;
    IcuCollation& operator=(const IcuCollation&) = delete;

    [[nodiscard]] bool Less(std::string_view a, std::string_view b) const;

private:
    std::unique_ptr<icu::Collator> m_collator;
};

} // namespace quiz
