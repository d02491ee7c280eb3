// SPDX-License-Identifier: MIT
// Tables of pairs as spreadsheets save them: CSV files, read and written.
#pragma once

#include "PairTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quiz {

// Reads a whole file's bytes: UTF-8, UTF-16 or Windows-1251 (see DecodeText). The first line
// that is not blank names two or three columns, separated by semicolons, commas or tabs,
// whichever that line uses most; each further line is a pair. A field may be quoted, with a
// quote inside written twice, and so hold the separator. Blank lines, and lines of empty
// fields that a spreadsheet writes for a row it once used, are skipped. A bad file is not an
// error of the program: it comes back as a TableError for the learner to read.
[[nodiscard]] std::variant<PairTable, TableError> ReadTable(std::string_view bytes,
                                                            std::string title);

// One row of a table file, numbered as the program that wrote it numbers it, and its fields.
struct TableRow {
    int line = 0;
    std::vector<std::string> fields;
    // A text in it goes on over a line end, which a list cannot show.
    bool spansLines = false;
};

// A table from its rows, whatever the file they come from: the first row is the header, with
// two or three names; every further row is a pair with as many fields, the first two filled,
// and no text longer than kMaxTextLength. The reader leaves out blank rows.
class TableBuilder {
public:
    // How a file of this kind is told of: the end of the fault of a header with too few or
    // too many columns, which says how it separates them, and the fault of a row that spans
    // lines.
    struct Faults {
        std::string columnsHint;
        std::string spansLines;
    };
    TableBuilder(std::string title, Faults faults);

    // The fault of the row, which ends the reading, or nothing.
    [[nodiscard]] std::optional<TableError> Add(TableRow row);
    [[nodiscard]] bool HasHeader() const { return !m_table.columns.empty(); }
    [[nodiscard]] std::size_t Columns() const { return m_table.columns.size(); }
    // The table, or the fault of one without pairs. Only once a header was added.
    [[nodiscard]] std::variant<PairTable, TableError> Finish() &&;

private:
    PairTable m_table;
    Faults m_faults;
};

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
