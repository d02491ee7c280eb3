// SPDX-License-Identifier: MIT
// The rules of every table, whatever file it comes from: a header of two or three names, then
// pairs, each within the limits.
#pragma once

#include "PairTable.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quiz {

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

} // namespace quiz
