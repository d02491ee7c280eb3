// SPDX-License-Identifier: MIT
// A table as Moodle's matching questions: its pairs in order (by the third column where the
// table has one, then as the quiz sorts its left list), cut into questions of 3 to 10 pairs,
// as even as they go, named "<title> 1", "<title> 2" and so on. Moodle takes no matching
// question of fewer than 3 pairs, and one of 60 is too long to answer.
#pragma once

#include <Collation.h>
#include <PairTable.h>
#include <TableBuilder.h>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace exchange {

inline constexpr std::size_t kMinQuestionPairs = 3;
inline constexpr std::size_t kMaxQuestionPairs = 10;

struct MatchingQuestion {
    std::string name;
    // "Свържете: селище – забележителност."
    std::string text;
    std::vector<quiz::Pair> pairs;
};

// A table read from another program's file, and how many of the file's questions were not
// for matching and so were left out.
struct ImportedTable {
    quiz::PairTable table;
    int skipped = 0;
};

// A file's bytes to write, or why the table cannot be written so.
struct WriteFault {
    std::string fault;
};
using Written = std::variant<std::string, WriteFault>;

// A file of questions may be larger than a CSV table: Moodle's carry their HTML. Its markup is
// bounded besides, since each tag costs a reader far more memory than its bytes.
inline constexpr std::size_t kMaxQuestionFileBytes = std::size_t{16} * 1024 * 1024;
inline constexpr std::size_t kMaxQuestionFileMarks = std::size_t{256} * 1024;

// Empty where the table has fewer than kMinQuestionPairs pairs.
[[nodiscard]] std::vector<MatchingQuestion> QuestionsOf(const quiz::PairTable& table,
                                                        const quiz::Collation& order);
// The questions' text, which names the table's two columns.
[[nodiscard]] std::string QuestionText(const quiz::PairTable& table);
// The two column names that QuestionText wrote, or nothing.
[[nodiscard]] std::vector<std::string> ColumnsOfQuestionText(std::string_view text);
// The path of a category named after the table, a slash in the name written twice, as Moodle
// reads a slash that does not begin a subcategory.
[[nodiscard]] std::string CategoryPath(const std::string& title);
// What the learner is told of the questions left out: "пропуснати 3 въпроса, които не са за
// свързване".
[[nodiscard]] std::string SkippedText(int skipped);
// What the two readers of questions share. The file's text, decoded as a table's is, within
// kMaxQuestionFileBytes.
[[nodiscard]] std::variant<std::string, quiz::TableError> QuestionFileText(std::string_view bytes);
// The builder of the table that a file of questions makes.
[[nodiscard]] quiz::TableBuilder QuestionTableBuilder(std::string title);
// The header, once the first matching question is met: the columns its text names, or
// "Въпрос" and "Отговор".
[[nodiscard]] std::optional<quiz::TableError> AddHeader(quiz::TableBuilder& builder,
                                                        std::vector<std::string> named, int line);
// The table read, or the fault of a file without a matching pair.
[[nodiscard]] std::variant<ImportedTable, quiz::TableError> Imported(quiz::TableBuilder&& builder,
                                                                     int pairs, int skipped);
// The fault of a table too short for a matching question.
[[nodiscard]] std::string TooFewPairs();

} // namespace exchange
