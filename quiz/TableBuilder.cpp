// SPDX-License-Identifier: MIT
#include "TableBuilder.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quiz {
namespace {

constexpr std::array<const char*, kMaxTableColumns> kColumnOrdinals{"първата", "втората",
                                                                    "третата"};
constexpr std::array<const char*, kMaxTableColumns> kInColumn{"в първата", "във втората",
                                                              "в третата"};

std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
    }));
}

// What is wrong with one row's shape and texts, if anything.
std::optional<std::string> RowFault(const TableRow& row, std::size_t columns, bool header,
                                    const std::string& spansLines) {
    if (row.spansLines) {
        return spansLines;
    }
    if (row.fields.size() < columns) {
        return std::string("няма ") + (row.fields.size() == 1 ? "втора" : "трета") + " колона";
    }
    if (row.fields.size() > columns) {
        return "има " + std::to_string(row.fields.size()) + " колони, а заглавният ред има " +
               std::to_string(columns);
    }
    for (std::size_t column = 0; column < columns; ++column) {
        const std::string& text = row.fields[column];
        const char* ordinal = kColumnOrdinals[column];
        if (text.empty() && (header || column < 2)) {
            return header ? std::string(ordinal) + " колона няма име"
                          : std::string(ordinal) + " колона е празна";
        }
        if (Characters(text) > kMaxTextLength) {
            return std::string("текстът ") + kInColumn[column] + " колона е по-дълъг от " +
                   std::to_string(kMaxTextLength) + " знака";
        }
    }
    return std::nullopt;
}

} // namespace

TableBuilder::TableBuilder(std::string title, Faults faults)
    : m_table{std::move(title), {}, {}}, m_faults(std::move(faults)) {}

std::optional<TableError> TableBuilder::Add(TableRow row) {
    if (!HasHeader()) {
        const std::size_t columns = row.fields.size();
        if (columns < 2 || columns > 3) {
            return TableError{row.line, "заглавният ред има " +
                                            (columns == 1 ? std::string("една колона")
                                                          : std::to_string(columns) + " колони") +
                                            ", а трябва да има две или три" + m_faults.columnsHint};
        }
        if (auto fault = RowFault(row, columns, true, m_faults.spansLines)) {
            return TableError{row.line, std::move(*fault)};
        }
        m_table.columns = std::move(row.fields);
        return std::nullopt;
    }
    const std::size_t columns = m_table.columns.size();
    if (auto fault = RowFault(row, columns, false, m_faults.spansLines)) {
        return TableError{row.line, std::move(*fault)};
    }
    if (m_table.pairs.size() == kMaxPairs) {
        return TableError{row.line, "повече от " + std::to_string(kMaxPairs) + " двойки"};
    }
    std::vector<std::string>& fields = row.fields;
    m_table.pairs.push_back({std::move(fields[0]), std::move(fields[1]),
                             columns > 2 ? std::move(fields[2]) : std::string()});
    return std::nullopt;
}

std::variant<PairTable, TableError> TableBuilder::Finish() && {
    if (m_table.pairs.empty()) {
        return TableError{0, "под заглавния ред няма нито една двойка"};
    }
    return std::move(m_table);
}

} // namespace quiz
