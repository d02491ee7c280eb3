// SPDX-License-Identifier: MIT
// The four sheets of the table in play as rows for paper: the worksheet of a variant, its
// answer key, the blank map with its key, and a learner's review sheet.
#pragma once

#include "printing/PaperDialog.h"
#include "printing/SheetDocument.h"

#include <QString>
#include <vector>

namespace quiz {
class Quiz;
}

namespace window {

// The rows a sheet is of: every row of the table, or for a review sheet the learner's; the
// provinces for the blank map.
[[nodiscard]] SheetContent ContentOf(const SheetChoice& choice, const quiz::Quiz& quiz,
                                     const std::vector<std::size_t>& rows,
                                     const map::ProvinceMap* provinces);
// "Работен лист, вариант 7", as the sheet's subtitle and the PDF's name say.
[[nodiscard]] QString SheetName(const SheetChoice& choice);

} // namespace window
