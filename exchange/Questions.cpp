// SPDX-License-Identifier: MIT
#include "Questions.h"

#include <TextEncoding.h>
#include <algorithm>

namespace exchange {
namespace {

constexpr std::string_view kTextStart = "Свържете: ";
constexpr std::string_view kTextBetween = " – ";
constexpr std::string_view kTextEnd = ".";

} // namespace

std::string QuestionText(const quiz::PairTable& table) {
    return std::string(kTextStart) + table.columns.at(0) + std::string(kTextBetween) +
           table.columns.at(1) + std::string(kTextEnd);
}

std::vector<std::string> ColumnsOfQuestionText(std::string_view text) {
    if (!text.starts_with(kTextStart) || !text.ends_with(kTextEnd)) {
        return {};
    }
    text.remove_prefix(kTextStart.size());
    text.remove_suffix(kTextEnd.size());
    const std::size_t between = text.find(kTextBetween);
    if (between == std::string_view::npos || between == 0 ||
        between + kTextBetween.size() == text.size() ||
        text.find(kTextBetween, between + 1) != std::string_view::npos) {
        return {};
    }
    return {std::string(text.substr(0, between)),
            std::string(text.substr(between + kTextBetween.size()))};
}

std::vector<MatchingQuestion> QuestionsOf(const quiz::PairTable& table,
                                          const quiz::Collation& order) {
    std::vector<quiz::Pair> pairs = table.pairs;
    if (pairs.size() < kMinQuestionPairs) {
        return {};
    }
    std::stable_sort(pairs.begin(), pairs.end(), [&](const quiz::Pair& a, const quiz::Pair& b) {
        if (table.HasNotes() && a.note != b.note) {
            return order.Less(a.note, b.note);
        }
        return order.Less(a.left, b.left);
    });
    // As many questions as ten pairs a question needs, the pairs shared out evenly: each has
    // at least three, since a table of three or more pairs never makes a question of fewer.
    const std::size_t count = (pairs.size() + kMaxQuestionPairs - 1) / kMaxQuestionPairs;
    const std::string text = QuestionText(table);
    std::vector<MatchingQuestion> questions;
    std::size_t next = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t size = (pairs.size() * (i + 1) / count) - (pairs.size() * i / count);
        MatchingQuestion question{table.title + " " + std::to_string(i + 1), text, {}};
        question.pairs.assign(
            std::make_move_iterator(pairs.begin() + static_cast<long>(next)),
            std::make_move_iterator(pairs.begin() + static_cast<long>(next + size)));
        next += size;
        questions.push_back(std::move(question));
    }
    return questions;
}

std::string CategoryPath(const std::string& title) {
    std::string path = "$course$/top/";
    for (const char c : title) {
        path += c;
        if (c == '/') {
            path += '/';
        }
    }
    return path;
}

std::string SkippedText(int skipped) {
    return skipped == 1
               ? "пропуснат 1 въпрос, който не е за свързване"
               : "пропуснати " + std::to_string(skipped) + " въпроса, които не са за свързване";
}

std::variant<std::string, quiz::TableError> QuestionFileText(std::string_view bytes) {
    if (bytes.size() > kMaxQuestionFileBytes) {
        return quiz::TableError{0, "файлът е по-голям от " + quiz::InMiB(kMaxQuestionFileBytes)};
    }
    return quiz::DecodeText(bytes);
}

quiz::TableBuilder QuestionTableBuilder(std::string title) {
    return {std::move(title), {"", "текстът е на няколко реда"}};
}

std::optional<quiz::TableError> AddHeader(quiz::TableBuilder& builder,
                                          std::vector<std::string> named, int line) {
    if (named.empty()) {
        named = {"Въпрос", "Отговор"};
    }
    return builder.Add({line, std::move(named)});
}

std::variant<ImportedTable, quiz::TableError> Imported(quiz::TableBuilder&& builder, int pairs,
                                                       int skipped) {
    if (pairs == 0) {
        return quiz::TableError{0, skipped > 0 ? "във файла няма въпроси за свързване, а " +
                                                     SkippedText(skipped)
                                               : "във файла няма въпроси за свързване"};
    }
    auto table = std::move(builder).Finish();
    if (auto* error = std::get_if<quiz::TableError>(&table)) {
        return *error;
    }
    return ImportedTable{std::get<quiz::PairTable>(std::move(table)), skipped};
}

std::string TooFewPairs() {
    return "таблицата има по-малко от " + std::to_string(kMinQuestionPairs) +
           " двойки, а въпрос за свързване иска поне толкова";
}

} // namespace exchange
