// SPDX-License-Identifier: MIT
// What the .xlsx and .ods readers share: the first sheet's rows made a table by the rules of
// every table file, and the XML of a part read safely.
#pragma once

#include "ZipArchive.h"

#include <TableFile.h>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <variant>

namespace sheets {

// The spreadsheets' own limits: rows and columns beyond them are no spreadsheet's.
inline constexpr int kMaxRows = 1048576;
inline constexpr std::size_t kMaxColumns = 16384;
// The bytes of a cell's text past which it is surely longer than a table's texts may be: a
// reader may stop making a cell's text there.
inline constexpr std::size_t kMaxCellBytes = 4 * (quiz::kMaxTextLength + 1);

class SheetTable final {
public:
    explicit SheetTable(std::string title);

    // Puts a cell's text in its row; columns count from 0, below kMaxColumns. Empty cells
    // leave the row as it is, so that a row ends at its last text. Only what a table can use
    // is copied: a text cut one character past the longest a table takes, so that the row is
    // still refused for its length, and beyond a table's columns no text at all, since the row
    // is refused for their count. One text used by every cell of a row is never copied whole.
    static void Put(quiz::TableRow& row, std::size_t column, std::string_view text);
    // Takes the next row of the sheet; a row without text is left out. A fault ends the
    // reading.
    [[nodiscard]] std::optional<quiz::TableError> Add(quiz::TableRow row);
    [[nodiscard]] std::variant<quiz::PairTable, quiz::TableError> Finish() &&;

private:
    quiz::TableBuilder m_builder;
};

// A part of the archive as XML, or the fault of a part that is missing or no XML. Entities
// other than XML's own are left as they are written, so that no text can grow from them.
[[nodiscard]] std::variant<pugi::xml_document, quiz::TableError> LoadPart(Parts& archive,
                                                                          const std::string& name);
// An element's or attribute's name without its namespace prefix: writers choose their own.
[[nodiscard]] std::string_view LocalName(const char* name);
[[nodiscard]] pugi::xml_node Child(pugi::xml_node node, std::string_view localName);
[[nodiscard]] pugi::xml_attribute Attribute(pugi::xml_node node, std::string_view localName);

// The readers of the two formats, over an archive that holds that format's parts.
[[nodiscard]] std::variant<quiz::PairTable, quiz::TableError> ReadXlsx(Parts& archive,
                                                                       std::string title);
[[nodiscard]] std::variant<quiz::PairTable, quiz::TableError> ReadOds(Parts& archive,
                                                                      std::string title);

} // namespace sheets
