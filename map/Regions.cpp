// SPDX-License-Identifier: MIT
#include "Regions.h"

#include <algorithm>
#include <string>

namespace map {
namespace {

constexpr std::string_view kSofia = "София";
constexpr std::string_view kCapital = "BG-22";
constexpr std::string_view kSofiaProvince = "BG-23";

// Cyrillic capitals (U+0410 to U+042F) made small, other bytes as they are.
std::string Lowercase(std::string_view text) {
    std::string result(text);
    for (std::size_t i = 0; i + 1 < result.size(); ++i) {
        auto& lead = reinterpret_cast<unsigned char&>(result[i]);
        auto& next = reinterpret_cast<unsigned char&>(result[i + 1]);
        if (lead == 0xD0 && next >= 0x90 && next <= 0x9F) {
            next += 0x20;
        } else if (lead == 0xD0 && next >= 0xA0 && next <= 0xAF) {
            lead = 0xD1;
            next -= 0x20;
        }
    }
    return result;
}

// The first row whose left or right text it is, or null.
const quiz::Pair* RowOf(const quiz::PairTable& table, bool left, const std::string& text) {
    const auto row = std::find_if(table.pairs.begin(), table.pairs.end(), [&](const quiz::Pair& p) {
        return (left ? p.left : p.right) == text;
    });
    return row == table.pairs.end() ? nullptr : &*row;
}

} // namespace

int ProvinceOfRegion(const ProvinceMap& provinces, std::string_view region,
                     std::string_view settlement) {
    region = quiz::Trimmed(region);
    if (region == kSofia) {
        return provinces.Find(quiz::Trimmed(settlement) == kSofia ? kCapital : kSofiaProvince);
    }
    return provinces.FindByName(region);
}

std::string RegionText(const ProvinceMap& provinces, int province) {
    return "област " + provinces.Provinces().at(static_cast<std::size_t>(province)).name;
}

bool HasRegions(const quiz::PairTable& table) {
    return table.HasNotes() && Lowercase(quiz::Trimmed(table.columns[2])) == "област";
}

CheckPlaces PlacesOf(const ProvinceMap& provinces, const quiz::PairTable& table,
                     const quiz::CheckedPair& check) {
    if (!HasRegions(table)) {
        return {};
    }
    const auto province = [&](const quiz::Pair* row) {
        return row == nullptr ? -1 : ProvinceOfRegion(provinces, row->note, row->left);
    };
    const quiz::Pair* left = RowOf(table, true, check.left);
    const quiz::Pair* right = RowOf(table, false, check.right);
    return {province(left), province(right), right == nullptr ? std::string() : right->left};
}

} // namespace map
