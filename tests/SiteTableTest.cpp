// SPDX-License-Identifier: MIT
#include "SiteTable.h"

#include "Collation.h"

#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <string>

namespace {

using quiz::kSiteTable;

std::size_t CountOf(std::string_view needle) {
    std::size_t count = 0;
    for (const auto& row : kSiteTable) {
        for (std::string_view text : {row.settlement, row.site, row.region}) {
            for (auto at = text.find(needle); at != std::string_view::npos;
                 at = text.find(needle, at + 1)) {
                ++count;
            }
        }
    }
    return count;
}

TEST(SiteTable, HoldsSixtyFullRows) {
    ASSERT_EQ(kSiteTable.size(), 60U);
    for (const auto& row : kSiteTable) {
        EXPECT_FALSE(row.settlement.empty() || row.site.empty() || row.region.empty());
    }
}

// The quotation marks are spelled by code point so that a look-alike glyph cannot pass.
struct ExactRow {
    const char* name;
    std::size_t position;
    std::string_view settlement;
    std::string_view site;
    std::string_view region;
};

void PrintTo(const ExactRow& row, std::ostream* out) {
    *out << row.name;
}

class SiteTableRow : public testing::TestWithParam<ExactRow> {};

TEST_P(SiteTableRow, MatchesByteForByte) {
    const ExactRow& expected = GetParam();
    const auto& row = kSiteTable.at(expected.position);
    EXPECT_EQ(row.settlement, expected.settlement);
    EXPECT_EQ(row.site, expected.site);
    EXPECT_EQ(row.region, expected.region);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SiteTableRow,
    testing::Values(ExactRow{"first_row", 0, "Мелник", "Кордопулова къща", "Благоевград"},
                    ExactRow{"plain_quotes", 2, "Благоевград", "Възрожденски комплекс \"Вароша\"",
                             "Благоевград"},
                    ExactRow{"low_and_left_quotes", 5, "Малко Търново",
                             "Историческа местност \u201EПетрова нива\u201C", "Бургас"},
                    ExactRow{"plain_quotes_open_air_museum", 15, "Габрово",
                             "Етнографски музей на открито \"Етъра\"", "Габрово"},
                    ExactRow{"longest_site", 25, "Троян",
                             "Музей на народните художествени занаяти и приложните изкуства",
                             "Ловеч"},
                    ExactRow{"trailing_space", 49, "Родопи ",
                             "Природна забележителност \u201EЧудните мостове\u201C", "Смолян"},
                    ExactRow{"right_double_quote", 52, "Белчин",
                             "Музеен комплекс \u201EЦари Мали град\u201D", "София"},
                    ExactRow{"plain_quotes_madara", 58, "Мадара",
                             "Археологически резерват \"Мадара\"", "Шумен"},
                    ExactRow{"last_row", 59, "Ямбол", "Античен град \"Кабиле\"", "Ямбол"}),
    [](const testing::TestParamInfo<ExactRow>& info) { return std::string(info.param.name); });

TEST(SiteTable, CountsEveryQuotationMark) {
    EXPECT_EQ(CountOf("\u201E"), 25U);
    EXPECT_EQ(CountOf("\u201C"), 24U);
    EXPECT_EQ(CountOf("\u201D"), 1U);
    EXPECT_EQ(CountOf("\""), 8U);
}

TEST(SiteTable, OnlyRodopiEndsInASpace) {
    for (std::size_t position = 0; position < kSiteTable.size(); ++position) {
        const auto& row = kSiteTable[position];
        EXPECT_EQ(row.settlement.ends_with(' '), position == 49) << position;
        EXPECT_FALSE(row.settlement.starts_with(' ') || row.site.starts_with(' ') ||
                     row.site.ends_with(' ') || row.region.ends_with(' '))
            << position;
    }
}

TEST(SiteTable, NoSettlementOrSiteTwice) {
    std::set<std::string_view> settlements;
    std::set<std::string_view> sites;
    for (const auto& row : kSiteTable) {
        EXPECT_TRUE(settlements.insert(row.settlement).second) << row.settlement;
        EXPECT_TRUE(sites.insert(row.site).second) << row.site;
    }
}

TEST(SiteTable, GroupsTwentySevenRegionsInAlphabeticalOrder) {
    const quiz::Collation collation;
    std::set<std::string_view> regions;
    for (std::size_t position = 1; position < kSiteTable.size(); ++position) {
        EXPECT_FALSE(collation.Less(kSiteTable[position].region, kSiteTable[position - 1].region))
            << position;
    }
    for (const auto& row : kSiteTable) {
        regions.insert(row.region);
    }
    EXPECT_EQ(regions.size(), 27U);
}

} // namespace
