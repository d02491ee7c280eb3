// SPDX-License-Identifier: MIT
#include "Pages.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace paper {
namespace {

constexpr std::string_view kCatalog = "/Type /Catalog";
constexpr std::string_view kStartXref = "startxref";
// An entry of a cross-reference table: ten digits of offset, a space, five of generation, a
// space, "n" or "f", and two bytes of line end.
constexpr std::size_t kEntryBytes = 20;
constexpr std::size_t kOffsetDigits = 10;

bool ReadNumber(std::string_view text, std::size_t& at, std::size_t& number) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\r' || text[at] == '\n')) {
        ++at;
    }
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), number);
    if (error != std::errc() || end == text.data() + at) {
        return false;
    }
    at = static_cast<std::size_t>(end - text.data());
    return true;
}

// Moves every offset of the cross-reference table at `xref` that lies past `from` by `by`.
bool MoveOffsets(std::string& pdf, std::size_t xref, std::size_t from, std::size_t by) {
    std::size_t at = xref + 4;
    std::size_t first = 0;
    std::size_t count = 0;
    while (ReadNumber(pdf, at, first) && ReadNumber(pdf, at, count)) {
        while (at < pdf.size() && (pdf[at] == ' ' || pdf[at] == '\r' || pdf[at] == '\n')) {
            ++at;
        }
        if (count > (pdf.size() - at) / kEntryBytes) {
            return false;
        }
        for (std::size_t entry = 0; entry < count; ++entry, at += kEntryBytes) {
            std::size_t offset = 0;
            const char* digits = pdf.data() + at;
            const auto [end, error] = std::from_chars(digits, digits + kOffsetDigits, offset);
            if (error != std::errc() || end != digits + kOffsetDigits) {
                return false;
            }
            if (pdf[at + kEntryBytes - 3] == 'n' && offset > from) {
                std::array<char, kOffsetDigits + 1> moved{};
                std::snprintf(moved.data(), moved.size(), "%010zu", offset + by);
                pdf.replace(at, kOffsetDigits, moved.data(), kOffsetDigits);
            }
        }
    }
    return pdf.compare(at, 7, "trailer") == 0;
}

} // namespace

std::vector<std::size_t> PageStarts(const std::vector<double>& heights, double first, double rest) {
    std::vector<std::size_t> starts{0};
    double room = first;
    double used = 0;
    for (std::size_t row = 0; row < heights.size(); ++row) {
        if (used > 0 && used + heights[row] > room) {
            starts.push_back(row);
            room = rest;
            used = 0;
        }
        used += heights[row];
    }
    return starts;
}

std::string PageText(int page, int pages) {
    std::string text = "стр. ";
    return text.append(std::to_string(page)).append(" от ").append(std::to_string(pages));
}

std::string WithLanguage(std::string pdf, std::string_view language) {
    const std::size_t catalog = pdf.find(kCatalog);
    const std::size_t startXref = pdf.rfind(kStartXref);
    if (catalog == std::string::npos || pdf.find(kCatalog, catalog + 1) != std::string::npos ||
        startXref == std::string::npos || startXref < catalog) {
        return pdf;
    }
    const std::size_t dictionaryEnd = pdf.find(">>", catalog);
    if (dictionaryEnd == std::string::npos ||
        pdf.substr(catalog, dictionaryEnd - catalog).find("/Lang") != std::string::npos) {
        return pdf;
    }
    std::size_t at = startXref + kStartXref.size();
    std::size_t xref = 0;
    if (!ReadNumber(pdf, at, xref) || xref <= catalog || xref >= startXref ||
        pdf.compare(xref, 4, "xref") != 0) {
        return pdf;
    }
    const std::size_t insertAt = catalog + kCatalog.size();
    std::string entry = "\n/Lang (";
    entry.append(language).append(")");
    std::string moved = pdf;
    if (!MoveOffsets(moved, xref, insertAt, entry.size())) {
        return pdf;
    }
    // The number after "startxref" is the last thing to change; it may grow by a digit.
    const std::size_t numberAt = moved.find_first_of("0123456789", startXref + kStartXref.size());
    moved.replace(numberAt, at - numberAt, std::to_string(xref + entry.size()));
    moved.insert(insertAt, entry);
    return moved;
}

} // namespace paper
