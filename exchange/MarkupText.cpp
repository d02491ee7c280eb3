// SPDX-License-Identifier: MIT
#include "MarkupText.h"

#include <TextEncoding.h>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

namespace exchange {
namespace {

// The named references that Moodle's editor writes, and the five of XML.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kNamed{{
    {"amp", "&"},
    {"lt", "<"},
    {"gt", ">"},
    {"quot", "\""},
    {"apos", "'"},
    {"nbsp", " "},
    {"ndash", "–"},
    {"mdash", "—"},
    {"hellip", "…"},
}};

// The reference at the start of the text ("&amp;", "&#1040;", "&#x410;") decoded, with its
// length; nothing where it is none, and the ampersand stays as it is.
std::pair<std::string, std::size_t> Reference(std::string_view text) {
    const std::size_t end = text.find(';');
    if (end == std::string_view::npos || end < 2 || end > 10) {
        return {};
    }
    const std::string_view name = text.substr(1, end - 1);
    if (name.front() == '#') {
        const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const std::string_view digits = name.substr(hex ? 2 : 1);
        std::uint32_t code = 0;
        const auto [stop, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
        if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size() ||
            code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
            !quiz::IsText(static_cast<char32_t>(code))) {
            return {};
        }
        std::string out;
        quiz::AppendUtf8(static_cast<char32_t>(code), out);
        return {out, end + 1};
    }
    for (const auto& [known, character] : kNamed) {
        if (name == known) {
            return {std::string(character), end + 1};
        }
    }
    return {};
}

// Whether a tag (what is between its angle brackets) is of an element that a browser runs into
// the words around it, such as <b>; any other parts words, as <p> and <br> do.
bool IsInline(std::string_view tag) {
    if (tag.starts_with('/')) {
        tag.remove_prefix(1);
    }
    const std::size_t end = tag.find_first_of(" \t\r\n/");
    std::string name(tag.substr(0, end));
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    constexpr std::array<std::string_view, 17> kInline{
        "a", "abbr",  "b",    "big",    "code",   "em",  "font", "i", "mark",
        "s", "small", "span", "strike", "strong", "sub", "sup",  "u"};
    return std::find(kInline.begin(), kInline.end(), name) != kInline.end();
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

} // namespace

std::string ShownText(std::string_view text, bool html) {
    if (!html) {
        std::string shown;
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (text[at] == '\r' || text[at] == '\n') {
                at += text.substr(at).starts_with("\r\n") ? 1 : 0;
                shown += ' ';
            } else {
                shown += text[at];
            }
        }
        return shown;
    }
    std::string shown;
    shown.reserve(text.size());
    bool space = false;
    const auto put = [&](std::string_view part) {
        for (const char c : part) {
            if (IsSpace(c)) {
                space = !shown.empty();
                continue;
            }
            if (space) {
                shown += ' ';
                space = false;
            }
            shown += c;
        }
    };
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '<') {
            const bool comment = text.substr(at).starts_with("<!--");
            const std::size_t end = comment ? text.find("-->", at + 4) : text.find('>', at + 1);
            if (end == std::string_view::npos) {
                put(text.substr(at));
                break;
            }
            if (comment || !IsInline(text.substr(at + 1, end - at - 1))) {
                put(" ");
            }
            at = end + (comment ? 3 : 1);
            continue;
        }
        if (c == '&') {
            auto [character, length] = Reference(text.substr(at));
            if (length > 0) {
                put(character);
                at += length;
                continue;
            }
        }
        put(text.substr(at, 1));
        ++at;
    }
    return shown;
}

} // namespace exchange
