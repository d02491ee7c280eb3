// SPDX-License-Identifier: MIT
// The pairs in play: the built-in site table, or a teacher's table read from a file.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// One pair: the left list's item, the right list's item, and the note that a right verdict
// adds when the table has a third column.
struct Pair {
    std::string left;
    std::string right;
    std::string note;
};

// Texts are UTF-8 and used as they stand. The column names take the place of "селище",
// "забележителност" and "област" in the verdicts, so the built-in table is one like any other.
struct PairTable {
    // Shown as the quiz's heading; the built-in table's heading is the window's own.
    std::string title;
    // Two or three names; the third one names the notes.
    std::vector<std::string> columns;
    std::vector<Pair> pairs;

    [[nodiscard]] bool HasNotes() const { return columns.size() > 2; }
};

// The limits of a table from outside, far above any class's list and far below what would
// make the lists slow to fill or the file slow to read.
inline constexpr std::size_t kMaxPairs = 1000;
// Two columns, and a third for the notes.
inline constexpr std::size_t kMaxTableColumns = 3;
inline constexpr std::size_t kMaxTextLength = 300; // characters
// A table file of text (CSV), in bytes; spreadsheets have a limit of their own.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{1024} * 1024;
// A limit in bytes as a fault names it: "16 MiB".
[[nodiscard]] std::string InMiB(std::size_t bytes);

// Why a file is not a table: the line it is on, counted as a text editor counts them from 1,
// or 0 when the fault is the whole file's, and the fault in the learner's language.
struct TableError {
    int line = 0;
    std::string fault;
};

// The site table, the quiz the program starts with; the same object every time, so that it can
// be told from a copy read back from a file.
[[nodiscard]] const std::shared_ptr<const PairTable>& BuiltInTable();

// The text without its outer spaces, as a reader sees it ("Родопи " has one).
[[nodiscard]] std::string_view Trimmed(std::string_view text);

// What a review shows for a missed pair: "Асеновград – Бачковски манастир, област Пловдив",
// or without its note's part when the table has no notes or the pair no note. The texts lose
// their outer spaces, as a reader sees them ("Родопи " has one).
[[nodiscard]] std::string ReviewLine(const PairTable& table, const Pair& pair);

} // namespace quiz
