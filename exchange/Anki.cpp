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
    std::string out = "#separator:tab\n#html:false\n#columns:" + Field(table.columns.at(0)) + "\t" +
                      Field(table.columns.at(1));
    if (table.HasNotes()) {
        out += "\tTags";
    }
    out += "\n#deck:" + table.title + "\n";
    if (table.HasNotes()) {
        out += "#tags column:3\n";
    }
    for (const quiz::Pair& pair : table.pairs) {
        out += Field(pair.left) + "\t" + Field(pair.right);
        if (table.HasNotes()) {
            out += "\t" + Tag(pair.note);
        }
        out += "\n";
    }
    return out;
}

} // namespace exchange
