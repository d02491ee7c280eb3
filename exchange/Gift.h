// SPDX-License-Identifier: MIT
// GIFT, Moodle's text format for questions: a table goes out as its matching questions
// (Questions.h), "::name::text {=left -> right …}", with GIFT's special characters escaped;
// a GIFT file comes in as the pairs of its matching questions.
#pragma once

#include "Questions.h"

#include <Collation.h>
#include <PairTable.h>
#include <string>
#include <string_view>
#include <variant>

namespace exchange {

// Refused where a left text holds "->", which GIFT cannot escape.
[[nodiscard]] Written WriteGift(const quiz::PairTable& table, const quiz::Collation& order);

// As Moodle reads GIFT: questions are parted by blank lines, lines beginning with "//" are
// comments, "$CATEGORY:" lines name categories. Each matching question's pairs are read, its
// texts as Moodle shows them ([html] ones without their tags); a pair with an empty left side
// (an extra wrong answer) is left out, and so is any other kind of question, counted.
[[nodiscard]] std::variant<ImportedTable, quiz::TableError> ReadGift(std::string_view bytes,
                                                                     std::string title);

} // namespace exchange
