// SPDX-License-Identifier: MIT
#include "Gift.h"

#include "MarkupText.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace exchange {
namespace {

constexpr std::string_view kSpecial = "~=#{}:\\";
constexpr std::string_view kArrow = "->";

std::string Escaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        if (kSpecial.find(c) != std::string_view::npos) {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

// A question as it stands in the file: its text without comment lines, and where in it each
// of its lines begins, with the line's number in the file.
struct Block {
    std::string text;
    std::vector<std::pair<std::size_t, int>> lines;

    // Takes the first line away, as a category's line before a question.
    void DropFirstLine() {
        const std::size_t end = text.find('\n');
        const std::size_t cut = end == std::string::npos ? text.size() : end + 1;
        text.erase(0, cut);
        lines.erase(lines.begin());
        for (auto& line : lines) {
            line.first -= cut;
        }
    }

    [[nodiscard]] int LineAt(std::size_t offset) const {
        const auto after =
            std::upper_bound(lines.begin(), lines.end(), offset,
                             [](std::size_t at, const std::pair<std::size_t, int>& line) {
                                 return at < line.first;
                             });
        return after == lines.begin() ? 0 : std::prev(after)->second;
    }
};

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::vector<Block> Blocks(std::string_view text) {
    std::vector<Block> blocks;
    bool open = false;
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        ++number;
        if (IsBlank(line)) {
            open = false;
        } else {
            if (!open) {
                blocks.emplace_back();
                open = true;
            }
            const std::size_t first = line.find_first_not_of(" \t");
            if (!line.substr(first).starts_with("//")) {
                Block& block = blocks.back();
                block.lines.emplace_back(block.text.size(), number);
                block.text.append(line);
                block.text += '\n';
            }
        }
        start = end + 1;
    }
    return blocks;
}

// The first of the characters at or after the offset that is not escaped, or npos.
std::size_t FindUnescaped(std::string_view text, std::string_view what, std::size_t from = 0) {
    for (std::size_t at = from; at < text.size(); ++at) {
        if (text[at] == '\\') {
            ++at;
        } else if (text.substr(at).starts_with(what)) {
            return at;
        }
    }
    return std::string_view::npos;
}

// GIFT's escapes undone, as Moodle undoes them: "\n" is a line end, an escaped special
// character stands for itself, and a backslash before anything else stays.
std::string Unescaped(std::string_view text) {
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char next = at + 1 < text.size() ? text[at + 1] : '\0';
        if (text[at] == '\\' &&
            (next == 'n' || (next != '\0' && kSpecial.find(next) != std::string_view::npos))) {
            ++at;
            plain += next == 'n' ? '\n' : next;
        } else {
            plain += text[at];
        }
    }
    return plain;
}

struct Item {
    std::size_t offset;
    std::string_view text;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The answers between the braces, each beginning with an unescaped "=" or "~". Text before the
// first is a kind of question with no such answers: it comes back as one item of its own.
std::vector<Item> Items(std::string_view answers, std::size_t offset) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < answers.size(); ++at) {
        const char c = answers[at];
        if (c == '=' || c == '~') {
            starts.push_back(at);
        } else if (starts.empty() && !IsSpace(c)) {
            return {{offset, answers}};
        } else if (c == '\\') {
            ++at;
        }
    }
    std::vector<Item> items;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : answers.size();
        items.push_back({offset + starts[i], answers.substr(starts[i], end - starts[i])});
    }
    return items;
}

// The sides of a pair as Moodle writes them, "=left -> right": one space on each side of the
// arrow is the arrow's, and so is the white space before the left side and after the right one,
// where the next line begins; any other space is the text's, as in a table.
std::string_view LeftSide(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    text.remove_prefix(std::min(start, text.size()));
    if (text.ends_with(' ') || text.ends_with('\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view RightSide(std::string_view text) {
    if (text.starts_with(' ') || text.starts_with('\t')) {
        text.remove_prefix(1);
    }
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

struct Question {
    bool matching = false;
    std::vector<std::string> columns;
    std::vector<quiz::TableRow> rows;
};

std::variant<Question, quiz::TableError> ReadQuestion(const Block& block) {
    std::string_view text = block.text;
    Question question;
    std::size_t at = 0;
    if (text.starts_with("::")) {
        const std::size_t end = FindUnescaped(text, "::", 2);
        if (end == std::string_view::npos) {
            return quiz::TableError{block.LineAt(0), "името на въпроса няма затварящо „::“"};
        }
        at = end + 2;
    }
    const std::size_t open = FindUnescaped(text, "{", at);
    if (open == std::string_view::npos) {
        // A description: text without answers.
        return question;
    }
    const std::size_t close = FindUnescaped(text, "}", open + 1);
    if (close == std::string_view::npos) {
        return quiz::TableError{block.LineAt(open), "отговорите нямат затваряща скоба „}“"};
    }
    std::string_view stem = text.substr(at, open - at);
    const std::size_t first = stem.find_first_not_of(" \t\r\n");
    stem.remove_prefix(std::min(first, stem.size()));
    bool html = false;
    if (stem.starts_with('[')) {
        const std::size_t end = stem.find(']');
        if (end != std::string_view::npos) {
            html = stem.substr(1, end - 1) == "html";
            stem.remove_prefix(end + 1);
        }
    }
    const std::vector<Item> items = Items(text.substr(open + 1, close - open - 1), open + 1);
    const bool matching =
        !items.empty() && std::all_of(items.begin(), items.end(), [](const Item& item) {
            return item.text.starts_with('=') &&
                   FindUnescaped(item.text, kArrow) != std::string_view::npos;
        });
    if (!matching) {
        return question;
    }
    question.matching = true;
    stem = stem.substr(0, stem.find_last_not_of(" \t\r\n") + 1);
    question.columns = ColumnsOfQuestionText(ShownText(Unescaped(stem), html));
    for (const Item& item : items) {
        const std::string_view pair = item.text.substr(1);
        const std::size_t arrow = FindUnescaped(pair, kArrow);
        std::string left = ShownText(Unescaped(LeftSide(pair.substr(0, arrow))), html);
        std::string right =
            ShownText(Unescaped(RightSide(pair.substr(arrow + kArrow.size()))), false);
        if (!left.empty()) {
            question.rows.push_back(
                {block.LineAt(item.offset), {std::move(left), std::move(right)}});
        }
    }
    return question;
}

} // namespace

Written WriteGift(const quiz::PairTable& table, const quiz::Collation& order) {
    const std::vector<MatchingQuestion> questions = QuestionsOf(table, order);
    if (questions.empty()) {
        return WriteFault{TooFewPairs()};
    }
    std::string out = "// ";
    out.append(table.title).append("\n$CATEGORY: ").append(CategoryPath(table.title)).append("\n");
    for (const MatchingQuestion& question : questions) {
        out.append("\n::").append(Escaped(question.name)).append("::");
        out.append(Escaped(question.text)).append(" {\n");
        for (const quiz::Pair& pair : question.pairs) {
            if (pair.left.find(kArrow) != std::string::npos) {
                return WriteFault{"текстът „" + pair.left +
                                  "“ съдържа „->“, а GIFT не може да го " +
                                  "запише в лявата страна на двойка"};
            }
            out.append("=").append(Escaped(pair.left)).append(" -> ");
            out.append(Escaped(pair.right)).append("\n");
        }
        out.append("}\n");
    }
    return out;
}

std::variant<ImportedTable, quiz::TableError> ReadGift(std::string_view bytes, std::string title) {
    auto text = QuestionFileText(bytes);
    if (auto* error = std::get_if<quiz::TableError>(&text)) {
        return *error;
    }
    quiz::TableBuilder builder = QuestionTableBuilder(std::move(title));
    int skipped = 0;
    int pairs = 0;
    for (Block& block : Blocks(std::get<std::string>(text))) {
        while (block.text.starts_with("$CATEGORY:")) {
            block.DropFirstLine();
        }
        if (block.text.empty()) {
            continue;
        }
        auto read = ReadQuestion(block);
        if (auto* error = std::get_if<quiz::TableError>(&read)) {
            return *error;
        }
        auto& question = std::get<Question>(read);
        if (!question.matching) {
            ++skipped;
            continue;
        }
        if (!builder.HasHeader()) {
            if (auto fault = AddHeader(builder, std::move(question.columns), block.LineAt(0))) {
                return *fault;
            }
        }
        for (quiz::TableRow& row : question.rows) {
            if (auto fault = builder.Add(std::move(row))) {
                return *fault;
            }
            ++pairs;
        }
    }
    return Imported(std::move(builder), pairs, skipped);
}

} // namespace exchange
