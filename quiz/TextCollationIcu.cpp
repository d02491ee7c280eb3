// SPDX-License-Identifier: MIT
#include "TextCollation.h"

#include <stdexcept>
#include <string>
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/stringpiece.h>

namespace quiz {
namespace {

void Check(UErrorCode status, const char* what) {
    if (U_FAILURE(status) != 0) {
        throw std::runtime_error(std::string("Bulgarian collation: ") + what + ": " +
                                 u_errorName(status));
    }
}

icu::StringPiece Piece(std::string_view text) {
    return {text.data(), static_cast<int32_t>(text.size())};
}

} // namespace

struct TextCollation::Platform {
    std::unique_ptr<icu::Collator> collator;
};

TextCollation::TextCollation() : m_platform(std::make_unique<Platform>()) {
    UErrorCode status = U_ZERO_ERROR;
    m_platform->collator.reset(icu::Collator::createInstance(icu::Locale("bg"), status));
    Check(status, "cannot open the collator");
    // Secondary strength drops letter case; "shifted" punctuation and spaces then weigh
    // nothing at all, since they would only count at the quaternary level.
    m_platform->collator->setAttribute(UCOL_STRENGTH, UCOL_SECONDARY, status);
    m_platform->collator->setAttribute(UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, status);
    Check(status, "cannot set its attributes");
}

TextCollation::~TextCollation() = default;

bool TextCollation::Less(std::string_view a, std::string_view b) const {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = m_platform->collator->compareUTF8(Piece(a), Piece(b), status);
    Check(status, "cannot compare two texts");
    if (result != UCOL_EQUAL) {
        return result == UCOL_LESS;
    }
    return a < b;
}

} // namespace quiz
