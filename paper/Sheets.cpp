// SPDX-License-Identifier: MIT
#include "Sheets.h"

#include <Regions.h>
#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <set>
#include <stdexcept>
#include <string_view>

namespace paper {
namespace {

constexpr std::array<const char*, 30> kAlphabet{"А", "Б", "В", "Г", "Д", "Е", "Ж", "З", "И", "Й",
                                                "К", "Л", "М", "Н", "О", "П", "Р", "С", "Т", "У",
                                                "Ф", "Х", "Ц", "Ч", "Ш", "Щ", "Ъ", "Ь", "Ю", "Я"};
constexpr const char* kOr = " или ";
constexpr const char* kDash = " – ";

// SplitMix64: small, fast, and the same numbers everywhere.
class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31U);
    }

private:
    std::uint64_t m_state;
};

std::string TrimmedText(const std::string& text) {
    return std::string(quiz::Trimmed(text));
}

// The rows in the order the quiz's list shows their texts: sorted, equal texts kept in order.
std::vector<std::size_t> SortedRows(std::vector<std::size_t> rows, const quiz::Collation& order,
                                    const quiz::PairTable& table, bool left) {
    const auto text = [&table, left](std::size_t row) -> const std::string& {
        return left ? table.pairs[row].left : table.pairs[row].right;
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](std::size_t a, std::size_t b) { return order.Less(text(a), text(b)); });
    return rows;
}

} // namespace

std::string LetterOf(std::size_t index) {
    std::string letters;
    // Bijective base 30: after "Я" comes "АА".
    std::size_t rest = index + 1;
    while (rest > 0) {
        --rest;
        letters.insert(0, kAlphabet.at(rest % kAlphabet.size()));
        rest /= kAlphabet.size();
    }
    return letters;
}

std::vector<std::size_t> ShuffleOf(std::size_t count, int variant) {
    if (variant < kFirstVariant || variant > kLastVariant) {
        throw std::out_of_range("ShuffleOf: variant " + std::to_string(variant) +
                                " is not from 1 to 99");
    }
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    Generator generator(static_cast<std::uint64_t>(variant) * 0x2545F4914F6CDD1DULL);
    for (std::size_t i = count; i > 1; --i) {
        std::swap(order[i - 1], order[generator.Next() % i]);
    }
    return order;
}

std::vector<std::size_t> AllRows(const quiz::PairTable& table) {
    std::vector<std::size_t> rows(table.pairs.size());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    return rows;
}

Worksheet WorksheetOf(const quiz::PairTable& table, const std::vector<std::size_t>& rows,
                      int variant, const quiz::Collation& order) {
    for (const std::size_t row : rows) {
        if (row >= table.pairs.size()) {
            throw std::out_of_range("WorksheetOf: no pair " + std::to_string(row) +
                                    " in a table of " + std::to_string(table.pairs.size()));
        }
    }
    Worksheet sheet;
    const std::vector<std::size_t> numbered = SortedRows(rows, order, table, true);
    // The shuffle starts from the right list's sorted order, so that it does not depend on
    // the order of the table's rows.
    const std::vector<std::size_t> sorted = SortedRows(rows, order, table, false);
    const std::vector<std::size_t> shuffle = ShuffleOf(sorted.size(), variant);
    std::vector<std::size_t> lettered;
    lettered.reserve(sorted.size());
    for (const std::size_t place : shuffle) {
        lettered.push_back(sorted[place]);
    }
    for (const std::size_t row : numbered) {
        sheet.numbered.push_back(TrimmedText(table.pairs[row].left));
    }
    for (const std::size_t row : lettered) {
        sheet.lettered.push_back(TrimmedText(table.pairs[row].right));
    }
    // A right pair is any pair of the table that holds both texts, as the quiz judges.
    std::map<std::string_view, std::vector<std::size_t>> placesOfRight;
    for (std::size_t place = 0; place < lettered.size(); ++place) {
        placesOfRight[table.pairs[lettered[place]].right].push_back(place);
    }
    std::map<std::string_view, std::set<std::string_view>> rightsOfLeft;
    for (const quiz::Pair& pair : table.pairs) {
        rightsOfLeft[pair.left].insert(pair.right);
    }
    for (const std::size_t row : numbered) {
        std::vector<std::size_t> letters;
        for (const std::string_view right : rightsOfLeft[table.pairs[row].left]) {
            const auto places = placesOfRight.find(right);
            if (places != placesOfRight.end()) {
                letters.insert(letters.end(), places->second.begin(), places->second.end());
            }
        }
        std::sort(letters.begin(), letters.end());
        sheet.key.push_back(std::move(letters));
    }
    return sheet;
}

std::vector<std::string> KeyLines(const Worksheet& sheet) {
    std::vector<std::string> lines;
    for (std::size_t number = 0; number < sheet.key.size(); ++number) {
        std::string line = std::to_string(number + 1);
        line.append(kDash);
        for (std::size_t i = 0; i < sheet.key[number].size(); ++i) {
            if (i > 0) {
                line.append(kOr);
            }
            line.append(LetterOf(sheet.key[number][i]));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

MapSheet MapSheetOf(const map::ProvinceMap& provinces, const quiz::PairTable& table,
                    const quiz::Collation& order) {
    MapSheet sheet;
    if (!map::HasRegions(table)) {
        return sheet;
    }
    for (const std::size_t row : SortedRows(AllRows(table), order, table, false)) {
        const quiz::Pair& pair = table.pairs[row];
        const int province = map::ProvinceOfRegion(provinces, pair.note, pair.left);
        if (province >= 0) {
            sheet.sites.push_back({TrimmedText(pair.right), province});
        }
    }
    return sheet;
}

std::vector<std::string> MapKeyLines(const map::ProvinceMap& provinces, const MapSheet& sheet) {
    std::vector<std::string> lines;
    for (std::size_t number = 0; number < sheet.sites.size(); ++number) {
        const MapSite& site = sheet.sites[number];
        std::string line = std::to_string(number + 1);
        line.append(kDash)
            .append(std::to_string(site.province + 1))
            .append(", ")
            .append(provinces.Provinces().at(static_cast<std::size_t>(site.province)).name);
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace paper
