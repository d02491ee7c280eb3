// SPDX-License-Identifier: MIT
// Which province a table's region text names.
#pragma once

#include "ProvinceMap.h"

#include <PairTable.h>
#include <Quiz.h>
#include <string>
#include <string_view>

namespace map {

// The province a region text names (its name, outer spaces aside), the row's settlement
// deciding where the text is ambiguous: "София" is the capital for the settlement София and the
// province around it for any other. -1 where it names none.
[[nodiscard]] int ProvinceOfRegion(const ProvinceMap& provinces, std::string_view region,
                                   std::string_view settlement);

// "област Ямбол": how a verdict names a province.
[[nodiscard]] std::string RegionText(const ProvinceMap& provinces, int province);

// Whether the table's notes name provinces: its third column is "област", in any case.
[[nodiscard]] bool HasRegions(const quiz::PairTable& table);

// Where a checked pair's two texts really are: the provinces of the rows each comes from (the
// first such row), -1 where the table has no region for it; and the left text of the right
// text's own row, whose pin shows where that is.
struct CheckPlaces {
    int left = -1;
    int right = -1;
    std::string rightSettlement;
};
[[nodiscard]] CheckPlaces PlacesOf(const ProvinceMap& provinces, const quiz::PairTable& table,
                                   const quiz::CheckedPair& check);

} // namespace map
