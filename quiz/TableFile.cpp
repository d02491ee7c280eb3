// SPDX-License-Identifier: MIT
#include "TableFile.h"

#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

namespace quiz {
namespace {

constexpr std::array<char, 3> kSeparators{';', '\t', ','};

// One line of the file as fields; a quoted field may go on over line ends.
struct Record {
    int line = 0;
    std::vector<std::string> fields;
    bool spansLines = false;
    // Fields with a quote out of place: text after a closing quote, or a quote in a field that
    // does not start with one.
    int strayQuotes = 0;
};

// Splits the text into records, keeping count of lines as an editor does: CR LF, LF and a
// lone CR each end one.
class Records {
public:
    explicit Records(std::string_view text) : m_text(text) {}

    // The next record that is not blank, or nothing at the end of the text.
    std::optional<Record> Next(char separator) {
        while (m_at < m_text.size()) {
            if (EndOfLine()) {
                continue;
            }
            return Read(separator);
        }
        return std::nullopt;
    }

    [[nodiscard]] bool Unclosed() const { return m_unclosed; }

private:
    // Steps over a line end at the current place, if one is there.
    bool EndOfLine() {
        if (m_text[m_at] == '\r') {
            m_at += m_text.substr(m_at).starts_with("\r\n") ? 2 : 1;
        } else if (m_text[m_at] == '\n') {
            ++m_at;
        } else {
            return false;
        }
        ++m_line;
        return true;
    }

    Record Read(char separator) {
        Record record{m_line, {std::string()}, false, 0};
        bool fieldStart = true;
        bool quoted = false;
        bool stray = false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            if (fieldStart && c == '"') {
                ++m_at;
                ReadQuoted(record);
                if (m_unclosed) {
                    return record;
                }
                fieldStart = false;
                quoted = true;
                continue;
            }
            if (EndOfLine()) {
                return record;
            }
            ++m_at;
            if (c == separator) {
                record.fields.emplace_back();
                fieldStart = true;
                quoted = false;
                stray = false;
            } else {
                // Text after a closing quote is kept, as the spreadsheets keep it.
                if (!stray && (quoted || c == '"')) {
                    stray = true;
                    ++record.strayQuotes;
                }
                record.fields.back().push_back(c);
                fieldStart = false;
            }
        }
        return record;
    }

    void ReadQuoted(Record& record) {
        std::string& field = record.fields.back();
        while (m_at < m_text.size()) {
            if (m_text[m_at] == '"') {
                if (m_text.substr(m_at).starts_with("\"\"")) {
                    field.push_back('"');
                    m_at += 2;
                    continue;
                }
                ++m_at;
                return;
            }
            const std::size_t lineEnd = m_at;
            if (EndOfLine()) {
                field.append(m_text.substr(lineEnd, m_at - lineEnd));
                record.spansLines = true;
                continue;
            }
            field.push_back(m_text[m_at++]);
        }
        m_unclosed = true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
    bool m_unclosed = false;
};

// The separator of the header, the first record that is not blank, read by the same rules as
// every record: one that keeps the header on its line, since a quote that a wrong separator
// leaves at a field's start can run on over the line's end; of those, the one that leaves the
// fewest fields with a quote out of place, since a wrong separator leaves text after the
// closing quote of a quoted field, or a quote inside an unquoted one, while a quote in a
// header's own text stands doubled in a quoted field; then the one that splits it into the
// most fields; then the earlier of ; tab ,.
char HeaderSeparator(std::string_view text) {
    char separator = kSeparators[0];
    std::tuple<bool, std::ptrdiff_t, std::size_t> best{false, PTRDIFF_MIN, 0};
    for (const char candidate : kSeparators) {
        Records records(text);
        const std::optional<Record> header = records.Next(candidate);
        if (!header) {
            continue;
        }
        const std::tuple<bool, std::ptrdiff_t, std::size_t> reading{
            !header->spansLines && !records.Unclosed(), -header->strayQuotes,
            header->fields.size()};
        if (reading > best) {
            best = reading;
            separator = candidate;
        }
    }
    return separator;
}

bool AllEmpty(const Record& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return field.empty(); });
}

} // namespace

std::variant<PairTable, TableError> ReadTable(std::string_view bytes, std::string title) {
    if (bytes.size() > kMaxTextFileBytes) {
        return TableError{0, "файлът е по-голям от " + InMiB(kMaxTextFileBytes)};
    }
    auto decoded = DecodeText(bytes);
    if (auto* error = std::get_if<TableError>(&decoded)) {
        return std::move(*error);
    }
    const std::string& text = std::get<std::string>(decoded);

    const char separator = HeaderSeparator(text);
    Records records(text);
    TableBuilder builder(std::move(title), {", разделени с точка и запетая, запетая или табулация",
                                            "текст в кавички на повече от един ред"});
    while (std::optional<Record> record = records.Next(separator)) {
        if (records.Unclosed()) {
            return TableError{record->line, "кавичките не са затворени"};
        }
        // The header is taken as it is; a line of empty fields below it is a row once used.
        if (builder.HasHeader() && AllEmpty(*record) && !record->spansLines) {
            continue;
        }
        if (auto fault =
                builder.Add({record->line, std::move(record->fields), record->spansLines})) {
            return std::move(*fault);
        }
    }
    if (!builder.HasHeader()) {
        return TableError{0, "файлът е празен"};
    }
    return std::move(builder).Finish();
}

std::string WriteRows(const std::vector<std::vector<std::string>>& rows) {
    const auto field = [](std::string_view text) {
        if (text.find_first_of(";,\t\"\r\n") == std::string_view::npos) {
            return std::string(text);
        }
        std::string quoted = "\"";
        for (const char c : text) {
            quoted.append(c == '"' ? 2 : 1, c);
        }
        return quoted + '"';
    };
    std::string file = "\xEF\xBB\xBF";
    for (const std::vector<std::string>& row : rows) {
        bool first = true;
        for (const std::string& text : row) {
            file.append(first ? "" : ";").append(field(text));
            first = false;
        }
        file.append("\r\n");
    }
    return file;
}

std::string ShownAsText(std::string text) {
    if (!text.empty() &&
        std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
        text.insert(text.begin(), '\'');
    }
    return text;
}

std::string WriteTable(const PairTable& table) {
    const std::size_t columns = table.HasNotes() ? 3 : 2;
    std::vector<std::vector<std::string>> rows;
    rows.emplace_back(table.columns.begin(),
                      table.columns.begin() + static_cast<std::ptrdiff_t>(columns));
    for (const Pair& pair : table.pairs) {
        rows.push_back({pair.left, pair.right});
        if (columns == 3) {
            rows.back().push_back(pair.note);
        }
    }
    return WriteRows(rows);
}

} // namespace quiz
