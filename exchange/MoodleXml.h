// SPDX-License-Identifier: MIT
// Moodle XML, the format of Moodle's question bank: a <quiz> of <question> elements. A table
// goes out as a category named after it and its matching questions (Questions.h), as plain
// text that Moodle shuffles; a Moodle export comes in as the pairs of its matching questions.
#pragma once

#include "Questions.h"

#include <Collation.h>
#include <PairTable.h>
#include <string>
#include <string_view>
#include <variant>

namespace exchange {

[[nodiscard]] Written WriteMoodleXml(const quiz::PairTable& table, const quiz::Collation& order);

// Whether the bytes begin as XML or as a <quiz> (after a byte-order mark and white space), as a
// Moodle export does.
[[nodiscard]] bool LooksLikeXml(std::string_view bytes);

// Every matching question's subquestions become pairs, their texts as Moodle shows them; a
// subquestion without a question (one of Moodle's extra wrong answers) is left out, and so is
// a question of any other kind, counted. No DTD is read and no entity but XML's own is known.
// The columns are "Въпрос" and "Отговор", or those that the questions' text names.
[[nodiscard]] std::variant<ImportedTable, quiz::TableError> ReadMoodleXml(std::string_view bytes,
                                                                          std::string title);

} // namespace exchange
