// SPDX-License-Identifier: MIT
// Bulgarian alphabetical order for any two texts, from the platform's collator.
#pragma once

#include <memory>
#include <string_view>

namespace quiz {

// Orders texts as a Bulgarian reader expects: by the alphabet, ignoring letter case, and
// ignoring quotation marks, hyphens and spaces, so that "Музей „Кольо Фичето“" stands
// among the other museums rather than wherever its quote sorts. Texts that still tie are
// ordered by their bytes, so the order is total and the same on every run. ICU gives the
// order on Linux (TextCollationIcu.cpp), Windows itself on Windows (TextCollationWin.cpp).
class TextCollation {
public:
    TextCollation();
    ~TextCollation();
    TextCollation(const TextCollation&) = delete;
    TextCollation& operator=(const TextCollation&) = delete;

    [[nodiscard]] bool Less(std::string_view a, std::string_view b) const;

private:
    struct Platform;
    std::unique_ptr<Platform> m_platform;
};

} // namespace quiz
