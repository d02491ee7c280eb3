// SPDX-License-Identifier: MIT
// The first sheet of an OpenDocument spreadsheet (.ods), as LibreOffice saves it. A cell gives
// the text the file keeps for how it is shown, its paragraphs one to a line, or, when it keeps
// none, its value as stored. Repeated rows and cells count as many times as they repeat.
#include "SheetTable.h"

#include <algorithm>
#include <charconv>

namespace sheets {
namespace {

constexpr const char* kContent = "content.xml";
constexpr const char* kManifest = "META-INF/manifest.xml";
// How deep the program follows elements inside elements: far deeper than a spreadsheet writes.
constexpr int kMaxDepth = 32;
// The most spaces one <text:s> gives: more than a text may have.
constexpr std::size_t kMaxSpaces = 1000;

std::size_t Repeated(pugi::xml_node node, std::string_view attribute, std::size_t most) {
    const std::string_view text = Attribute(node, attribute).value();
    std::size_t count = 1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || count == 0) {
        return 1;
    }
    return std::min(count, most);
}

// A paragraph's text: its characters, spaces, tabs and line breaks, through spans and links,
// without notes and comments; made no further than kMaxCellBytes, which no table's text
// reaches, however many spaces the file asks for.
void AppendText(pugi::xml_node node, std::string& text, int depth) {
    for (const pugi::xml_node child : node.children()) {
        if (text.size() > kMaxCellBytes) {
            return;
        }
        if (child.type() == pugi::node_pcdata) {
            text += child.value();
            continue;
        }
        const std::string_view name = LocalName(child.name());
        if (name == "s") {
            text.append(Repeated(child, "c", kMaxSpaces), ' ');
        } else if (name == "tab") {
            text += '\t';
        } else if (name == "line-break") {
            text += '\n';
        } else if (name != "annotation" && name != "note" && depth < kMaxDepth) {
            AppendText(child, text, depth + 1);
        }
    }
}

std::string CellText(pugi::xml_node cell) {
    std::string text;
    bool paragraphs = false;
    for (const pugi::xml_node child : cell.children()) {
        const std::string_view name = LocalName(child.name());
        if ((name == "p" || name == "h") && text.size() <= kMaxCellBytes) {
            if (paragraphs) {
                text += '\n';
            }
            paragraphs = true;
            AppendText(child, text, 0);
        }
    }
    if (paragraphs) {
        return text;
    }
    for (const char* value :
         {"string-value", "value", "date-value", "time-value", "boolean-value"}) {
        const pugi::xml_attribute attribute = Attribute(cell, value);
        if (!attribute.empty()) {
            return attribute.value();
        }
    }
    return text;
}

// Reads the rows of a table, and of the groups of rows in it, into the sheet's table.
class RowReader {
public:
    explicit RowReader(SheetTable& table) : m_table(table) {}

    std::optional<quiz::TableError> Read(pugi::xml_node parent, int depth) {
        for (const pugi::xml_node child : parent.children()) {
            const std::string_view name = LocalName(child.name());
            std::optional<quiz::TableError> fault;
            if (name == "table-row") {
                fault = Row(child);
            } else if ((name == "table-row-group" || name == "table-header-rows" ||
                        name == "table-rows") &&
                       depth < kMaxDepth) {
                fault = Read(child, depth + 1);
            }
            if (fault || m_line > kMaxRows) {
                return fault;
            }
        }
        return std::nullopt;
    }

private:
    std::optional<quiz::TableError> Row(pugi::xml_node rowNode) {
        quiz::TableRow row{0, {}, false};
        std::size_t column = 0;
        for (const pugi::xml_node cell : rowNode.children()) {
            const std::string_view name = LocalName(cell.name());
            if (name != "table-cell" && name != "covered-table-cell") {
                continue;
            }
            // A merged cell's text is its first cell's; the cells it covers are empty.
            std::string text = name == "table-cell" ? CellText(cell) : std::string();
            const std::size_t repeated =
                Repeated(cell, "number-columns-repeated", kMaxColumns - column);
            if (!text.empty()) {
                for (std::size_t copy = 0; copy < repeated; ++copy) {
                    SheetTable::Put(row, column + copy, text);
                }
            }
            column += repeated;
            if (column >= kMaxColumns) {
                break;
            }
        }
        // A repeated row is as many rows of the same cells; empty ones are only counted.
        const std::size_t repeated =
            Repeated(rowNode, "number-rows-repeated", static_cast<std::size_t>(kMaxRows));
        for (std::size_t copy = 0; copy < repeated && m_line < kMaxRows; ++copy) {
            ++m_line;
            if (row.fields.empty()) {
                m_line += static_cast<int>(std::min<std::size_t>(repeated - copy - 1, kMaxRows));
                break;
            }
            row.line = m_line;
            if (auto fault = m_table.Add(row)) {
                return fault;
            }
        }
        return std::nullopt;
    }

    SheetTable& m_table;
    int m_line = 0;
};

} // namespace

std::variant<quiz::PairTable, quiz::TableError> ReadOds(Parts& archive, std::string title) {
    // An encrypted document says so in its manifest; its content is no XML to read.
    if (archive.Has(kManifest)) {
        auto manifest = LoadPart(archive, kManifest);
        if (auto* fault = std::get_if<quiz::TableError>(&manifest)) {
            return std::move(*fault);
        }
        const pugi::xml_document& document = std::get<pugi::xml_document>(manifest);
        for (const pugi::xml_node entry : document.document_element().children()) {
            if (!Child(entry, "encryption-data").empty()) {
                return ZipArchive::Encrypted();
            }
        }
    }
    auto content = LoadPart(archive, kContent);
    if (auto* fault = std::get_if<quiz::TableError>(&content)) {
        return std::move(*fault);
    }
    const pugi::xml_node spreadsheet = Child(
        Child(std::get<pugi::xml_document>(content).document_element(), "body"), "spreadsheet");
    SheetTable table(std::move(title));
    const pugi::xml_node sheet = Child(spreadsheet, "table");
    if (!sheet.empty()) {
        if (auto fault = RowReader(table).Read(sheet, 0)) {
            return std::move(*fault);
        }
    }
    return std::move(table).Finish();
}

} // namespace sheets
