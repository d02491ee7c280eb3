// SPDX-License-Identifier: MIT
// A table file of any kind a teacher saves: an Excel workbook (.xlsx), an OpenDocument
// spreadsheet (.ods), or CSV text (quiz::ReadTable). The kind is told by the bytes, not by the
// file's name.
#pragma once

#include <PairTable.h>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace sheets {

// A spreadsheet's file, in bytes, may be larger than a CSV one: it carries styles and a
// thumbnail.
inline constexpr std::size_t kMaxSpreadsheetBytes = std::size_t{16} * 1024 * 1024;

// The first sheet of a spreadsheet is read as a CSV file is: its first row with text is the
// header, and its rows keep the numbers the spreadsheet shows. Old Excel files, encrypted
// workbooks and other binary files are told apart, each with what to do about it.
[[nodiscard]] std::variant<quiz::PairTable, quiz::TableError> ReadTableFile(std::string_view bytes,
                                                                            std::string title);

} // namespace sheets
