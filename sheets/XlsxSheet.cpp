// SPDX-License-Identifier: MIT
// The first sheet of an Excel workbook (.xlsx, Office Open XML), as Excel and LibreOffice save
// it. A cell gives its text: a shared or inline string, a formula's saved result, a number as
// stored (Excel keeps no text for how it shows a number or a date), a truth value as Excel in
// Bulgarian shows it.
#include "SheetTable.h"

#include <charconv>
#include <vector>

namespace sheets {
namespace {

constexpr const char* kWorkbook = "xl/workbook.xml";
constexpr const char* kWorkbookRelations = "xl/_rels/workbook.xml.rels";

// A string item's text: its own text, or its runs' texts, without phonetic guides.
std::string StringText(pugi::xml_node item) {
    std::string text;
    for (const pugi::xml_node child : item.children()) {
        const std::string_view name = LocalName(child.name());
        if (name == "t") {
            text += child.text().get();
        } else if (name == "r") {
            text += Child(child, "t").text().get();
        }
    }
    return text;
}

// A part named by a relationship's target, which is relative to the workbook's folder or,
// starting with a slash, to the archive's top.
std::string PartName(std::string_view target) {
    if (target.starts_with('/')) {
        return std::string(target.substr(1));
    }
    return "xl/" + std::string(target);
}

// The cell reference's column, such as 2 for "C7"; nothing when it has no letters or is
// beyond the last column.
std::optional<std::size_t> ReferenceColumn(std::string_view reference) {
    std::size_t column = 0;
    std::size_t letters = 0;
    for (const char c : reference) {
        if (c < 'A' || c > 'Z') {
            break;
        }
        column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
        if (++letters > 3) {
            return std::nullopt;
        }
    }
    if (letters == 0 || column > kMaxColumns) {
        return std::nullopt;
    }
    return column - 1;
}

template <typename Number> std::optional<Number> ParseNumber(std::string_view text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

struct SheetParts {
    std::string sheet;
    std::string sharedStrings;
};

std::variant<SheetParts, quiz::TableError> FindParts(Parts& archive) {
    auto workbook = LoadPart(archive, kWorkbook);
    if (auto* fault = std::get_if<quiz::TableError>(&workbook)) {
        return std::move(*fault);
    }
    const pugi::xml_node sheet =
        Child(Child(std::get<pugi::xml_document>(workbook).document_element(), "sheets"), "sheet");
    if (sheet.empty()) {
        return quiz::TableError{0, "работната книга няма нито един лист"};
    }
    const std::string_view id = Attribute(sheet, "id").value();

    auto relations = LoadPart(archive, kWorkbookRelations);
    if (auto* fault = std::get_if<quiz::TableError>(&relations)) {
        return std::move(*fault);
    }
    SheetParts parts;
    for (const pugi::xml_node relation :
         std::get<pugi::xml_document>(relations).document_element().children()) {
        const std::string_view type = Attribute(relation, "Type").value();
        const std::string_view target = Attribute(relation, "Target").value();
        if (!id.empty() && Attribute(relation, "Id").value() == id) {
            parts.sheet = PartName(target);
        } else if (type.ends_with("/sharedStrings")) {
            parts.sharedStrings = PartName(target);
        }
    }
    if (parts.sheet.empty()) {
        return ZipArchive::Damaged(kWorkbookRelations);
    }
    return parts;
}

std::variant<std::vector<std::string>, quiz::TableError> SharedStrings(Parts& archive,
                                                                       const std::string& name) {
    std::vector<std::string> strings;
    // A workbook without strings of its own may still name the part.
    if (name.empty() || !archive.Has(name)) {
        return strings;
    }
    auto part = LoadPart(archive, name);
    if (auto* fault = std::get_if<quiz::TableError>(&part)) {
        return std::move(*fault);
    }
    for (const pugi::xml_node item :
         std::get<pugi::xml_document>(part).document_element().children()) {
        if (LocalName(item.name()) == "si") {
            strings.push_back(StringText(item));
        }
    }
    return strings;
}

} // namespace

std::variant<quiz::PairTable, quiz::TableError> ReadXlsx(Parts& archive, std::string title) {
    auto found = FindParts(archive);
    if (auto* fault = std::get_if<quiz::TableError>(&found)) {
        return std::move(*fault);
    }
    const SheetParts& parts = std::get<SheetParts>(found);
    auto shared = SharedStrings(archive, parts.sharedStrings);
    if (auto* fault = std::get_if<quiz::TableError>(&shared)) {
        return std::move(*fault);
    }
    const std::vector<std::string>& strings = std::get<std::vector<std::string>>(shared);
    auto sheet = LoadPart(archive, parts.sheet);
    if (auto* fault = std::get_if<quiz::TableError>(&sheet)) {
        return std::move(*fault);
    }

    SheetTable table(std::move(title));
    const pugi::xml_node data =
        Child(std::get<pugi::xml_document>(sheet).document_element(), "sheetData");
    int line = 0;
    for (const pugi::xml_node rowNode : data.children()) {
        if (LocalName(rowNode.name()) != "row") {
            continue;
        }
        // Rows come in order; one without a number follows the one before.
        const auto number = ParseNumber<int>(Attribute(rowNode, "r").value());
        const int next = number.value_or(line + 1);
        if (next <= line || next > kMaxRows) {
            return ZipArchive::Damaged(parts.sheet);
        }
        line = next;
        quiz::TableRow row{line, {}, false};
        std::size_t column = 0;
        for (const pugi::xml_node cell : rowNode.children()) {
            if (LocalName(cell.name()) != "c") {
                continue;
            }
            const pugi::xml_attribute reference = Attribute(cell, "r");
            const auto at = reference.empty() ? std::optional<std::size_t>(column)
                                              : ReferenceColumn(reference.value());
            if (!at || *at >= kMaxColumns) {
                return ZipArchive::Damaged(parts.sheet);
            }
            column = *at + 1;
            const std::string_view type = Attribute(cell, "t").value();
            const std::string_view value = Child(cell, "v").text().get();
            std::string_view text = value;
            std::string inlineText;
            if (type == "s") {
                const auto index = ParseNumber<std::size_t>(value);
                if (!index || *index >= strings.size()) {
                    return ZipArchive::Damaged(parts.sheet);
                }
                text = strings[*index];
            } else if (type == "inlineStr") {
                inlineText = StringText(Child(cell, "is"));
                text = inlineText;
            } else if (type == "b") {
                text = value == "1" ? "ИСТИНА" : value == "0" ? "НЕИСТИНА" : value;
            }
            SheetTable::Put(row, *at, text);
        }
        if (auto fault = table.Add(std::move(row))) {
            return std::move(*fault);
        }
    }
    return std::move(table).Finish();
}

} // namespace sheets
