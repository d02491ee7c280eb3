// SPDX-License-Identifier: MIT
// Build tool: writes TableOrder.h, the site table's texts with their places in alphabetical
// order, so that the program can sort its lists without opening a collator.
#include "SiteTable.h"
#include "TextCollation.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string Literal(std::string_view text) {
    std::string literal = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            literal += '\\';
        }
        literal += c;
    }
    return literal + '"';
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: quiz_table_order OUTPUT_HEADER\n";
        return 2;
    }
    std::vector<std::string_view> texts;
    for (const auto& row : quiz::kSiteTable) {
        texts.push_back(row.settlement);
        texts.push_back(row.site);
    }
    const quiz::TextCollation collation;
    std::sort(texts.begin(), texts.end(), [&collation](std::string_view a, std::string_view b) {
        return collation.Less(a, b);
    });
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());

    std::vector<std::pair<std::string_view, int>> byBytes;
    for (std::size_t place = 0; place < texts.size(); ++place) {
        byBytes.emplace_back(texts[place], static_cast<int>(place));
    }
    std::sort(byBytes.begin(), byBytes.end());

    std::ofstream out(argv[1]);
    out << "// Written by quiz_table_order from the site table when the program is built.\n"
           "#pragma once\n\n#include <array>\n#include <string_view>\n\nnamespace quiz {\n\n"
           "struct TablePlaceOf {\n    std::string_view text;\n    int place;\n};\n\n"
           "// Sorted by bytes for lookup; place is the text's place in alphabetical order.\n"
           "inline constexpr std::array<TablePlaceOf, "
        << byBytes.size() << "> kTableOrder{{\n";
    for (const auto& [text, place] : byBytes) {
        out << "    {" << Literal(text) << ", " << place << "},\n";
    }
    out << "}};\n\n} // namespace quiz\n";
    return out ? 0 : 1;
}
