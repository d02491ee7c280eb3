// SPDX-License-Identifier: MIT
// Sheets for paper: the lettering, a variant's shuffle, the worksheet and its key against the
// engine's own verdicts, the blank map's sites, pages, and the PDF's language.
#include "TestData.h"

#include <MapRound.h>
#include <Pages.h>
#include <PairTable.h>
#include <ProvinceMap.h>
#include <Quiz.h>
#include <Sheets.h>
#include <SiteTable.h>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

using testdata::Provinces;

// A table whose texts repeat: a settlement with two sites, a site of two settlements.
quiz::PairTable RepeatingTable() {
    return {"Повторения",
            {"селище", "забележителност"},
            {{"Шипка", "Паметник на свободата", ""},
             {"Шипка", "Храм-паметник „Рождество Христово“", ""},
             {"Казанлък", "Тракийска гробница", ""},
             {"Шипка", "Тракийска гробница", ""},
             {"Габрово", "Етъра", ""}}};
}

// Whether the engine judges the two texts a right pair, as a learner would pick them.
bool EngineSaysRight(const quiz::PairTable& table, const std::string& left,
                     const std::string& right) {
    quiz::Quiz quiz;
    quiz.UseTable(std::make_shared<quiz::PairTable>(table));
    const auto pick = [](quiz::PickList& list, const std::string& text) {
        for (int i = 0; i < list.ListCount(); ++i) {
            if (quiz::Trimmed(list.List(i)) == text) {
                list.SetListIndex(i);
                return;
            }
        }
        ADD_FAILURE() << "no item " << text;
    };
    pick(quiz.Settlements(), left);
    pick(quiz.Sites(), right);
    quiz.CheckPair();
    return quiz.Text().rfind("Вярно", 0) == 0;
}

TEST(Paper, LettersFollowTheAlphabetThenPairsOfIt) {
    const std::pair<std::size_t, const char*> rows[] = {
        {0, "А"},   {1, "Б"},   {9, "Й"},   {26, "Ъ"},  {27, "Ь"},   {29, "Я"},
        {30, "АА"}, {31, "АБ"}, {59, "АЯ"}, {60, "БА"}, {929, "ЯЯ"}, {930, "ААА"}};
    for (const auto& [index, letters] : rows) {
        EXPECT_EQ(paper::LetterOf(index), letters) << index;
    }
}

TEST(Paper, AVariantIsAFixedPermutationAndEachVariantItsOwn) {
    // The sheets of a variant must not change between versions or systems.
    EXPECT_EQ(paper::ShuffleOf(8, 1), (std::vector<std::size_t>{7, 1, 5, 2, 6, 3, 0, 4}));
    for (std::size_t count = 0; count <= 70; ++count) {
        std::set<std::vector<std::size_t>> seen;
        for (int variant = paper::kFirstVariant; variant <= paper::kLastVariant; ++variant) {
            std::vector<std::size_t> order = paper::ShuffleOf(count, variant);
            EXPECT_EQ(order, paper::ShuffleOf(count, variant));
            seen.insert(order);
            std::sort(order.begin(), order.end());
            for (std::size_t i = 0; i < count; ++i) {
                ASSERT_EQ(order[i], i) << count << " items, variant " << variant;
            }
        }
        if (count >= 10) {
            EXPECT_EQ(seen.size(), 99U) << count << " items";
        }
    }
    EXPECT_THROW((void)paper::ShuffleOf(5, 0), std::out_of_range);
    EXPECT_THROW((void)paper::ShuffleOf(5, 100), std::out_of_range);
}

// The numbers follow the quiz's left list; the key holds exactly the letters that the engine
// judges right with each number's text.
TEST(Paper, TheKeyIsWhatTheEngineJudgesRight) {
    const quiz::Collation order;
    for (const quiz::PairTable& table : {*quiz::BuiltInTable(), RepeatingTable()}) {
        SCOPED_TRACE(table.title);
        quiz::Quiz quiz;
        quiz.UseTable(std::make_shared<quiz::PairTable>(table));
        for (const int variant : {1, 2, 99}) {
            const paper::Worksheet sheet =
                paper::WorksheetOf(table, paper::AllRows(table), variant, order);
            ASSERT_EQ(sheet.numbered.size(), table.pairs.size());
            for (int i = 0; i < quiz.Settlements().ListCount(); ++i) {
                EXPECT_EQ(sheet.numbered[static_cast<std::size_t>(i)],
                          quiz::Trimmed(quiz.Settlements().List(i)));
            }
            std::multiset<std::string> rights;
            for (const quiz::Pair& pair : table.pairs) {
                rights.insert(std::string(quiz::Trimmed(pair.right)));
            }
            EXPECT_EQ(std::multiset<std::string>(sheet.lettered.begin(), sheet.lettered.end()),
                      rights);
        }
        const paper::Worksheet sheet = paper::WorksheetOf(table, paper::AllRows(table), 5, order);
        const std::size_t checked = table.pairs.size() > 10 ? 12 : table.pairs.size();
        for (std::size_t number = 0; number < checked; ++number) {
            for (std::size_t letter = 0; letter < sheet.lettered.size(); ++letter) {
                const bool inKey =
                    std::count(sheet.key[number].begin(), sheet.key[number].end(), letter) == 1;
                EXPECT_EQ(inKey,
                          EngineSaysRight(table, sheet.numbered[number], sheet.lettered[letter]))
                    << sheet.numbered[number] << " – " << sheet.lettered[letter];
            }
        }
    }
}

TEST(Paper, KeyLinesNameEveryLetterThatFits) {
    const quiz::Collation order;
    const paper::Worksheet sheet =
        paper::WorksheetOf(RepeatingTable(), paper::AllRows(RepeatingTable()), 3, order);
    const std::vector<std::string> lines = paper::KeyLines(sheet);
    ASSERT_EQ(lines.size(), 5U);
    for (std::size_t number = 0; number < lines.size(); ++number) {
        std::string expected = std::to_string(number + 1) + " – ";
        for (std::size_t i = 0; i < sheet.key[number].size(); ++i) {
            expected.append(i > 0 ? " или " : "").append(paper::LetterOf(sheet.key[number][i]));
        }
        EXPECT_EQ(lines[number], expected);
    }
    // "Шипка" is numbered 3 to 5 and fits three sites, one of them lettered twice.
    EXPECT_EQ(sheet.numbered[2], "Шипка");
    EXPECT_EQ(sheet.key[2].size(), 4U);
    EXPECT_THROW((void)paper::WorksheetOf(RepeatingTable(), {5}, 1, order), std::out_of_range);
}

TEST(Paper, TheBlankMapPlacesEverySiteWhereTheMapRoundDoes) {
    const quiz::Collation order;
    const paper::MapSheet sheet = paper::MapSheetOf(Provinces(), *quiz::BuiltInTable(), order);
    std::set<std::pair<std::string, int>> placed;
    for (const paper::MapSite& site : sheet.sites) {
        placed.insert({site.site, site.province});
    }
    std::set<std::pair<std::string, int>> asked;
    for (const map::MapQuestion& question : map::BuiltInQuestions(Provinces())) {
        asked.insert({std::string(quiz::Trimmed(question.site)), question.province});
    }
    EXPECT_EQ(sheet.sites.size(), quiz::kSiteTable.size());
    EXPECT_EQ(placed, asked);
    // In the order of the quiz's list of sites.
    quiz::Quiz quiz;
    for (int i = 0; i < quiz.Sites().ListCount(); ++i) {
        EXPECT_EQ(sheet.sites.at(static_cast<std::size_t>(i)).site,
                  quiz::Trimmed(quiz.Sites().List(i)));
    }
    EXPECT_EQ(paper::MapKeyLines(Provinces(), sheet).front().rfind("1 – ", 0), 0U);
    EXPECT_TRUE(paper::MapSheetOf(Provinces(), RepeatingTable(), order).sites.empty());
}

TEST(Paper, RowsFallWholeOntoPages) {
    struct Row {
        const char* name;
        std::vector<double> heights;
        double first;
        double rest;
        std::vector<std::size_t> starts;
    };
    const Row rows[] = {
        {"no rows, one page", {}, 10, 10, {0}},
        {"all on one page", {3, 3, 3}, 10, 10, {0}},
        {"a row that does not fit begins the next page", {4, 4, 4}, 10, 10, {0, 2}},
        {"the first page has less room", {4, 4, 4, 4}, 5, 10, {0, 1, 3}},
        {"a row taller than a page stands alone", {2, 30, 2}, 10, 10, {0, 1, 2}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(paper::PageStarts(row.heights, row.first, row.rest), row.starts) << row.name;
    }
    EXPECT_EQ(paper::PageText(1, 2), "стр. 1 от 2");
}

// A PDF as Qt writes one: objects, a plain cross-reference table, the trailer.
std::string SmallPdf(const std::string& catalog) {
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    const std::vector<std::string> objects = {"<<\n/Title (x)\n>>", catalog,
                                              "<<\n/Type /Pages\n/Kids []\n/Count 0\n>>"};
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<<\n/Size 4\n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

// Each offset of the cross-reference table, and the one after "startxref", lands where it must.
void ExpectOffsetsHold(const std::string& pdf) {
    const std::size_t xref = std::stoul(pdf.substr(pdf.rfind("startxref") + 10));
    ASSERT_EQ(pdf.compare(xref, 4, "xref"), 0);
    for (std::size_t object = 1; object <= 3; ++object) {
        const std::size_t offset = std::stoul(pdf.substr(xref + 9 + object * 20, 10));
        EXPECT_EQ(pdf.substr(offset, 7), std::to_string(object) + " 0 obj") << object;
    }
}

TEST(Paper, APdfNamesItsLanguageAndStaysWhole) {
    const std::string pdf = SmallPdf("<<\n/Type /Catalog\n/Pages 3 0 R\n>>");
    ExpectOffsetsHold(pdf);
    const std::string named = paper::WithLanguage(pdf, "bg");
    EXPECT_NE(named.find("/Type /Catalog\n/Lang (bg)\n/Pages 3 0 R"), std::string::npos);
    ExpectOffsetsHold(named);
    // What it cannot follow it leaves as it is.
    const std::string named2 = SmallPdf("<<\n/Type /Catalog\n/Lang (en)\n/Pages 3 0 R\n>>");
    EXPECT_EQ(paper::WithLanguage(named2, "bg"), named2);
    std::string streamed = pdf;
    streamed.replace(streamed.rfind("xref\n0 4"), 4, "XREF");
    EXPECT_EQ(paper::WithLanguage(streamed, "bg"), streamed);
    EXPECT_EQ(paper::WithLanguage("not a pdf", "bg"), "not a pdf");
}

} // namespace
