// SPDX-License-Identifier: MIT
// Tables of pairs as spreadsheets save them: CSV files, read and written.
#pragma once

#include "PairTable.h"
#include "TableBuilder.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quiz {

// Reads a whole file's bytes: UTF-8, UTF-16 or Windows-1251 (see DecodeText). The first line
// that is not blank names two or three columns, separated by semicolons, tabs or commas: the
// separator that reads that line as a line, with the fewest quotes out of place, into the most
// fields, the earlier in that order on a tie; each further line is a pair. A field may be quoted,
// with a quote inside written twice, and so hold the separator. Blank lines, and lines of empty
// fields that a spreadsheet writes for a row it once used, are skipped. A bad file is not an
// error of the program: it comes back as a TableError for the learner to read.
[[nodiscard]] std::variant<PairTable, TableError> ReadTable(std::string_view bytes,
                                                            std::string title);

// The table as a file that Excel and LibreOffice both open as it is: UTF-8 with a byte-order
// mark, semicolons, CR LF, and quotes only where a text needs them. ReadTable reads it back
// to the same table.
[[nodiscard]] std::string WriteTable(const PairTable& table);
// Any rows of texts, written the same way.
[[nodiscard]] std::string WriteRows(const std::vector<std::vector<std::string>>& rows);
// A text for a report that Excel or LibreOffice will open: one they would take for a formula
// (beginning with =, +, -, @, a tab or a carriage return) gets an apostrophe before it, so that
// both show it as text. Tables are written without it, so that they read back as they were.
[[nodiscard]] std::string ShownAsText(std::string text);

} // namespace quiz
