// SPDX-License-Identifier: MIT
// The map of the provinces as committed, the region of every built-in row, and the round
// played on the map, at random against a model of its rules.
#include "TestData.h"

#include <MapRound.h>
#include <ProvinceMap.h>
#include <Regions.h>
#include <SiteTable.h>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace {

using testdata::Provinces;

int Code(const char* code) {
    return Provinces().Find(code);
}

} // namespace

TEST(Map, HasTheTwentyEightProvincesByCodeAndName) {
    const char* names[] = {
        "Благоевград", "Бургас",          "Варна",     "Велико Търново", "Видин",
        "Враца",       "Габрово",         "Добрич",    "Кърджали",       "Кюстендил",
        "Ловеч",       "Монтана",         "Пазарджик", "Перник",         "Плевен",
        "Пловдив",     "Разград",         "Русе",      "Силистра",       "Сливен",
        "Смолян",      "София (столица)", "София",     "Стара Загора",   "Търговище",
        "Хасково",     "Шумен",           "Ямбол"};
    ASSERT_EQ(Provinces().Count(), 28);
    for (int i = 0; i < 28; ++i) {
        const map::Province& province = Provinces().Provinces()[static_cast<std::size_t>(i)];
        EXPECT_EQ(province.code, (i < 9 ? "BG-0" : "BG-") + std::to_string(i + 1));
        EXPECT_EQ(province.name, names[i]);
    }
}

// Every region of the built-in table names its province; "София" is the capital only for
// the row of София itself. A settlement's pin, where it has one, lies in that province.
TEST(Map, EveryBuiltInRowHasItsProvince) {
    int pins = 0;
    for (const quiz::SiteRow& row : quiz::kSiteTable) {
        const int province = map::ProvinceOfRegion(Provinces(), row.region, row.settlement);
        const int expected = row.region != "София"       ? Provinces().FindByName(row.region)
                             : row.settlement == "София" ? Code("BG-22")
                                                         : Code("BG-23");
        EXPECT_GE(province, 0) << row.settlement;
        EXPECT_EQ(province, expected) << row.settlement;
        if (const auto pin = Provinces().Pin(row.settlement)) {
            ++pins;
            EXPECT_EQ(Provinces().ProvinceAt(*pin), province) << row.settlement;
        }
    }
    EXPECT_EQ(pins, 46);
    EXPECT_FALSE(Provinces().Pin("Връх Шипка"));
    EXPECT_EQ(map::ProvinceOfRegion(Provinces(), " Ямбол ", "Ямбол"), Code("BG-28"));
    EXPECT_EQ(map::ProvinceOfRegion(Provinces(), "Тракия", "Ямбол"), -1);
}

// Neighbours meet exactly: an edge is one province's or, walked the other way, two's; the
// edges of one province alone close the country's outline, one ring without a gap.
TEST(Map, BordersAreSharedWithoutGaps) {
    std::map<std::pair<std::pair<int, int>, std::pair<int, int>>, int> edges;
    for (const map::Province& province : Provinces().Provinces()) {
        const auto& ring = province.outline;
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const map::Point a = ring[i];
            const map::Point b = ring[(i + 1) % ring.size()];
            ++edges[{{a.x, a.y}, {b.x, b.y}}];
        }
    }
    std::map<std::pair<int, int>, int> outer;
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1) << "an edge walked the same way twice";
        const auto reversed = std::pair(edge.second, edge.first);
        if (!edges.contains(reversed)) {
            ++outer[edge.first];
            --outer[edge.second];
        }
    }
    for (const auto& [point, balance] : outer) {
        EXPECT_EQ(balance, 0) << "the outline breaks at " << point.first << "," << point.second;
    }
}

// A click at a province's inner point picks that province; the arrow keys lead from any
// province to every other by way of neighbours.
TEST(Map, ClicksAndArrowKeysFindEachProvince) {
    const map::ProvinceMap& provinces = Provinces();
    for (int i = 0; i < provinces.Count(); ++i) {
        EXPECT_EQ(provinces.ProvinceAt(provinces.InnerPoint(i)), i) << i;
        EXPECT_GT(provinces.InnerRoom(i), 0) << i;
        for (const int neighbour : provinces.Neighbours(i)) {
            const auto& back = provinces.Neighbours(neighbour);
            EXPECT_NE(std::find(back.begin(), back.end(), i), back.end());
        }
    }
    EXPECT_EQ(provinces.ProvinceAt({-10, -10}), -1);
    std::set<int> reached{0};
    std::vector<int> next{0};
    while (!next.empty()) {
        const int from = next.back();
        next.pop_back();
        for (const auto& [dx, dy] : {std::pair(1, 0), {-1, 0}, {0, 1}, {0, -1}}) {
            const int to = provinces.NeighbourToward(from, dx, dy);
            if (to >= 0 && reached.insert(to).second) {
                next.push_back(to);
            }
        }
    }
    EXPECT_EQ(reached.size(), 28U);
    const std::pair<const char*, const char*> known[] = {
        {"BG-28", "BG-20"}, {"BG-22", "BG-23"}, {"BG-19", "BG-08"}, {"BG-05", "BG-12"}};
    for (const auto& [a, b] : known) {
        const auto& around = provinces.Neighbours(Code(a));
        EXPECT_NE(std::find(around.begin(), around.end(), Code(b)), around.end()) << a << b;
    }
    EXPECT_EQ(provinces.NeighbourToward(Code("BG-28"), 0, -1), Code("BG-20")) << "Ямбол, up";
    EXPECT_EQ(provinces.NeighbourToward(Code("BG-05"), -1, 0), -1) << "Видин: nothing west";
}

TEST(Map, BadMapFilesAreRefusedWithTheirLine) {
    const std::pair<const char*, int> files[] = {
        {"", 0},
        {"# only a comment\n", 1},
        {"BG-01 \"A\" 0,0 1,0\n", 1},
        {"BG-01 A 0,0 1,0 0,1\n", 1},
        {"BG-01 \"A\" 0,0 1,x 0,1\n", 1},
        {"BG-01 \"A\" 0,0 1,0 0,1\nBG-01 \"B\" 5,5 1,0 0,1\n", 2},
        {"BG-01 \"A\" 0,0 999999,0 999999,0\n", 1}};
    for (const auto& [text, line] : files) {
        try {
            (void)map::ProvinceMap::Parse(text);
            ADD_FAILURE() << "read: " << text;
        } catch (const map::MapError& error) {
            EXPECT_EQ(error.Line(), line) << text;
        }
    }
}

// Rounds of random answers, each checked against what the rules say: the question, the
// verdict, the score and the misses; then a practice round of the misses.
TEST(MapRound, PlaysByItsRulesInRandomRounds) {
    const map::ProvinceMap& provinces = Provinces();
    const std::vector<map::MapQuestion> all = map::BuiltInQuestions(provinces);
    ASSERT_EQ(all.size(), quiz::kSiteTable.size());
    std::mt19937 random(7);
    std::set<std::vector<std::string>> orders;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        std::vector<map::MapQuestion> questions = map::Shuffled(all, seed);
        EXPECT_TRUE(
            std::is_permutation(questions.begin(), questions.end(), all.begin(), all.end()));
        std::vector<std::string> order;
        order.reserve(questions.size());
        for (const map::MapQuestion& question : questions) {
            order.push_back(question.site);
        }
        orders.insert(order);
        const bool practice = seed % 2 == 0;
        if (practice) {
            questions.resize(seed % 7 + 1);
        }
        map::MapRound round(provinces, questions, practice);
        EXPECT_EQ(round.ScoreText(), practice ? "Упражнение" : "");
        int right = 0;
        std::vector<map::MapQuestion> missed;
        for (std::size_t i = 0; i < questions.size(); ++i) {
            const map::MapQuestion& asked = questions[i];
            ASSERT_EQ(round.QuestionText(), "Къде е: " + asked.site + "?");
            const int answer = random() % 2 == 0 ? asked.province : static_cast<int>(random() % 28);
            const std::string verdict = round.Answer(answer);
            const std::string where =
                asked.site + " е в област " + provinces.Provinces()[asked.province].name;
            if (answer == asked.province) {
                ++right;
                EXPECT_EQ(verdict, "Вярно: " + where + ".");
            } else {
                missed.push_back(asked);
                EXPECT_EQ(verdict, "Грешно: " + where + ", а не в област " +
                                       provinces.Provinces()[answer].name + ".");
            }
            const bool over = i + 1 == questions.size();
            EXPECT_EQ(round.Over(), over);
            EXPECT_EQ(round.ScoreText(), (over ? "Край: " : "Верни: ") + std::to_string(right) +
                                             " от " + std::to_string(i + 1));
        }
        EXPECT_EQ(round.Missed(), missed);
        EXPECT_EQ(round.MissedLines().size(), missed.size());
        EXPECT_EQ(round.QuestionText(), "");
        EXPECT_THROW((void)round.Answer(0), std::logic_error);
    }
    EXPECT_GT(orders.size(), 35U) << "each round has an order of its own";
}

TEST(MapRound, SaysItsVerdictsAsWritten) {
    const map::ProvinceMap& provinces = Provinces();
    map::MapRound round(provinces,
                        {{"Античен град \"Кабиле\"", Code("BG-28"), "Ямбол"},
                         {"Античен град \"Кабиле\"", Code("BG-28"), "Ямбол"}},
                        false);
    EXPECT_EQ(round.QuestionText(), "Къде е: Античен град \"Кабиле\"?");
    EXPECT_EQ(round.Answer(Code("BG-28")), "Вярно: Античен град \"Кабиле\" е в област Ямбол.");
    EXPECT_EQ(round.Answer(Code("BG-20")),
              "Грешно: Античен град \"Кабиле\" е в област Ямбол, а не в област Сливен.");
    EXPECT_EQ(round.ScoreText(), "Край: 1 от 2");
    EXPECT_EQ(round.MissedLines(),
              std::vector<std::string>{"Античен град \"Кабиле\" – област Ямбол."});
}

// A check shows where each of its texts really is, by its own row; a teacher's table only
// where its third column is "област", in any case.
TEST(Map, PlacesOfACheckComeFromTheirRows) {
    const quiz::PairTable& builtIn = *quiz::BuiltInTable();
    const map::CheckPlaces wrong =
        map::PlacesOf(Provinces(), builtIn, {"Ямбол", "Антична римска „Вила Армира“", false});
    EXPECT_EQ(wrong.left, Code("BG-28"));
    EXPECT_EQ(wrong.right, Code("BG-26"));
    const map::CheckPlaces sofia =
        map::PlacesOf(Provinces(), builtIn,
                      {"Белчин", "Храм-паметник „Свети Александър Невски“ с криптата", false});
    EXPECT_EQ(sofia.left, Code("BG-23"));
    EXPECT_EQ(sofia.right, Code("BG-22"));
    const std::pair<const char*, bool> columns[] = {
        {"област", true}, {" ОБЛАСТ ", true}, {"Област", true}, {"река", false}, {"", false}};
    for (const auto& [column, regions] : columns) {
        const quiz::PairTable table{"", {"град", "музей", column}, {{"Русе", "Пантеон", "Русе"}}};
        EXPECT_EQ(map::HasRegions(table), regions) << column;
        EXPECT_EQ(map::PlacesOf(Provinces(), table, {"Русе", "Пантеон", true}).left,
                  regions ? Code("BG-18") : -1)
            << column;
    }
}
