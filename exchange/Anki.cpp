// SPDX-License-Identifier: MIT
#include "Anki.h"

namespace exchange {
namespace {

std::string Field(const std::string& text) {
    if (text.find_first_of("\t\"\r\n") == std::string::npos && !text.starts_with('#')) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string Tag(const std::string& text) {
    std::string tag;
    for (const char c : text) {
        tag += c == ' ' || c == '\t' ? '_' : c;
    }
    return tag;
}

} // namespace

std::string WriteAnki(const quiz::PairTable& table) {
    std::string out = "#separator:tab\n#html:false\n#columns:";
    out.append(Field(table.columns.at(0))).append("\t").append(Field(table.columns.at(1)));
    if (table.HasNotes()) {
        out.append("\tTags");
    }
    out.append("\n#deck:").append(table.title).append("\n");
    if (table.HasNotes()) {
        out.append("#tags column:3\n");
    }
    for (const quiz::Pair& pair : table.pairs) {
        out.append(Field(pair.left)).append("\t").append(Field(pair.right));
        if (table.HasNotes()) {
            out.append("\t").append(Tag(pair.note));
        }
        out.append("\n");
    }
    return out;
}

} // namespace exchange
