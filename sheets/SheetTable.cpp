// SPDX-License-Identifier: MIT
#include "SheetTable.h"

#include "Spreadsheet.h"

#include <TextEncoding.h>
#include <algorithm>

namespace sheets {
namespace {

// What a sheet can make in all, the header and kMaxPairs rows of cut texts, stays within what
// its file may hold.
static_assert((quiz::kMaxPairs + 1) * quiz::kMaxTableColumns * kMaxCellBytes <=
              kMaxSpreadsheetBytes);

std::string_view Usable(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool lead = (static_cast<unsigned char>(text[at]) & 0xC0U) != 0x80U;
        if (lead && ++characters > quiz::kMaxTextLength + 1) {
            return text.substr(0, at);
        }
    }
    return text;
}

} // namespace

SheetTable::SheetTable(std::string title)
    : m_builder(std::move(title), {"", "текст на повече от един ред в една клетка"}) {}

void SheetTable::Put(quiz::TableRow& row, std::size_t column, std::string_view text) {
    if (text.empty()) {
        return;
    }
    if (row.fields.size() <= column) {
        row.fields.resize(column + 1);
    }
    if (column < quiz::kMaxTableColumns) {
        row.fields[column] = Usable(text);
    }
}

std::optional<quiz::TableError> SheetTable::Add(quiz::TableRow row) {
    if (row.fields.empty()) {
        return std::nullopt;
    }
    // A row ends at its last text; the empty cells after it are the header's columns still.
    if (row.fields.size() < m_builder.Columns()) {
        row.fields.resize(m_builder.Columns());
    }
    for (const std::string& field : row.fields) {
        const quiz::Decoding decoding = quiz::DecodeUtf8(field);
        if (!decoding.complete) {
            return quiz::TableError{row.line, "текстът не е в кодировка UTF-8"};
        }
        for (const char32_t c : decoding.text) {
            if (!quiz::IsText(c)) {
                return quiz::TableError{row.line, "знаци, които не са текст"};
            }
            row.spansLines = row.spansLines || c == U'\n' || c == U'\r';
        }
    }
    return m_builder.Add(std::move(row));
}

std::variant<quiz::PairTable, quiz::TableError> SheetTable::Finish() && {
    if (!m_builder.HasHeader()) {
        return quiz::TableError{0, "първият лист е празен"};
    }
    return std::move(m_builder).Finish();
}

std::variant<pugi::xml_document, quiz::TableError> LoadPart(Parts& archive,
                                                            const std::string& name) {
    auto part = archive.Read(name);
    if (auto* fault = std::get_if<quiz::TableError>(&part)) {
        return std::move(*fault);
    }
    const std::string& bytes = std::get<std::string>(part);
    std::variant<pugi::xml_document, quiz::TableError> document;
    // Spaces are text in a cell, even alone.
    const pugi::xml_parse_result result = std::get<pugi::xml_document>(document).load_buffer(
        bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result) {
        return ZipArchive::Damaged(name);
    }
    return document;
}

std::string_view LocalName(const char* name) {
    const std::string_view whole(name);
    const std::size_t colon = whole.rfind(':');
    return colon == std::string_view::npos ? whole : whole.substr(colon + 1);
}

pugi::xml_node Child(pugi::xml_node node, std::string_view localName) {
    return node.find_child(
        [localName](pugi::xml_node child) { return LocalName(child.name()) == localName; });
}

pugi::xml_attribute Attribute(pugi::xml_node node, std::string_view localName) {
    return node.find_attribute([localName](pugi::xml_attribute attribute) {
        return LocalName(attribute.name()) == localName;
    });
}

} // namespace sheets
