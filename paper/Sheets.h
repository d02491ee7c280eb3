// SPDX-License-Identifier: MIT
// What goes on paper: a matching worksheet of a table's pairs (the left texts numbered in the
// quiz's order, the right texts in a variant's shuffle, lettered), its answer key, and the blank
// map's list of sites with the provinces they are in.
#pragma once

#include <Collation.h>
#include <PairTable.h>
#include <ProvinceMap.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace paper {

// A variant fixes a worksheet's shuffle, so that neighbours can have different sheets and the
// same variant always prints the same one.
inline constexpr int kFirstVariant = 1;
inline constexpr int kLastVariant = 99;

// "А", "Б", … "Я", then "АА", "АБ", …, as a spreadsheet names its columns, for the index from 0.
[[nodiscard]] std::string LetterOf(std::size_t index);

// A permutation of 0 … count-1 drawn from the variant by a generator of our own (a standard
// library's shuffle differs from one library to the next, and so would the sheets on Linux and
// Windows). Throws std::out_of_range for a variant outside 1 … 99.
[[nodiscard]] std::vector<std::size_t> ShuffleOf(std::size_t count, int variant);

struct Worksheet {
    // The left texts, numbered from 1 in this order, as the quiz sorts its left list.
    std::vector<std::string> numbered;
    // The right texts in the variant's order, lettered А, Б, … in this order.
    std::vector<std::string> lettered;
    // For each numbered text, the lettered ones it makes a right pair with, in letter order:
    // more than one where a table's texts repeat.
    std::vector<std::vector<std::size_t>> key;
};

// The worksheet of the table's rows given (every row, or a learner's few). Texts lose their
// outer spaces, as a reader sees them. Throws std::out_of_range for a row the table lacks.
[[nodiscard]] Worksheet WorksheetOf(const quiz::PairTable& table,
                                    const std::vector<std::size_t>& rows, int variant,
                                    const quiz::Collation& order);
[[nodiscard]] std::vector<std::size_t> AllRows(const quiz::PairTable& table);

// "1 – В", or "4 – Б или Ж" where two texts fit.
[[nodiscard]] std::vector<std::string> KeyLines(const Worksheet& sheet);

// The blank map: the provinces numbered from 1 in the map's order (BG-01 to BG-28), and the
// sites to place on it, numbered from 1 in the quiz's order of sites.
struct MapSite {
    std::string site;
    int province = -1;
};
struct MapSheet {
    std::vector<MapSite> sites;
};
// The sites of the table's rows whose region names a province; none for a table without
// regions ("област" as its third column).
[[nodiscard]] MapSheet MapSheetOf(const map::ProvinceMap& provinces, const quiz::PairTable& table,
                                  const quiz::Collation& order);
// "1 – 28, Ямбол": the site's number, its province's number and name.
[[nodiscard]] std::vector<std::string> MapKeyLines(const map::ProvinceMap& provinces,
                                                   const MapSheet& sheet);

} // namespace paper
