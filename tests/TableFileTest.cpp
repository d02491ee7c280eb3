// SPDX-License-Identifier: MIT
#include "TableFile.h"

#include "PickListHelpers.h"
#include "Quiz.h"
#include "Spreadsheet.h"
#include "TestData.h"

#include <gtest/gtest.h>

namespace {

using quiz::PairTable;
using quiz::ReadTable;
using quiz::TableError;

// Through the reader of every kind of table file, which hands CSV text to ReadTable.
PairTable Read(std::string_view bytes) {
    auto result = sheets::ReadTableFile(bytes, "Таблица");
    if (const auto* error = std::get_if<TableError>(&result)) {
        ADD_FAILURE() << "ред " << error->line << ": " << error->fault;
        return {};
    }
    return std::get<PairTable>(std::move(result));
}

// The same table of authors, saved by the spreadsheets in each of their ways; a number, the
// year, is shown as it was typed.
class SpreadsheetFiles : public testing::TestWithParam<const char*> {};

TEST_P(SpreadsheetFiles, ReadAsTheSpreadsheetShowedThem) {
    const PairTable table = Read(testdata::FileBytes(GetParam()));
    EXPECT_EQ(table.title, "Таблица");
    EXPECT_EQ(table.columns, (std::vector<std::string>{"автор", "творба", "година"}));
    ASSERT_EQ(table.pairs.size(), 10U);
    EXPECT_EQ(table.pairs[0].left, "Иван Вазов");
    EXPECT_EQ(table.pairs[0].right, "Под игото");
    EXPECT_EQ(table.pairs[0].note, "1894");
    EXPECT_EQ(table.pairs[2].right, "Бай Ганьо; невероятни разкази за един съвременен българин");
    EXPECT_EQ(table.pairs[3].right, "Гераците, повест");
    EXPECT_EQ(table.pairs[7].right, "\"Да се завърнеш в бащината къща\" (стихотворение)");
    EXPECT_EQ(table.pairs[9].left, "Николай Хайтов");
    EXPECT_EQ(table.pairs[9].note, "1967");
}

INSTANTIATE_TEST_SUITE_P(Saved, SpreadsheetFiles,
                         testing::Values("libreoffice-windows-1251-semicolons.csv",
                                         "libreoffice-utf8-commas.csv",
                                         "libreoffice-utf16-tabs.txt", "excel-utf8-bom-crlf.csv",
                                         "excel-windows-1251-crlf.csv", "libreoffice-authors.xlsx",
                                         "libreoffice-authors.ods"),
                         [](const auto& info) { return testdata::TestName(info.param); });

struct BadFile {
    const char* name;
    std::string bytes;
    TableError error;
};

void PrintTo(const BadFile& file, std::ostream* out) {
    *out << file.name;
}

class BadFiles : public testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, NameTheLineAndTheFault) {
    const auto result = ReadTable(GetParam().bytes, "лошо");
    ASSERT_TRUE(std::holds_alternative<TableError>(result));
    EXPECT_EQ(std::get<TableError>(result).line, GetParam().error.line);
    EXPECT_EQ(std::get<TableError>(result).fault, GetParam().error.fault);
}

std::string Repeated(const std::string& line, int times) {
    std::string text;
    for (int at = 0; at < times; ++at) {
        text += line;
    }
    return text;
}

const std::string kHeader = "селище;обект\r\n";

INSTANTIATE_TEST_SUITE_P(
    Faults, BadFiles,
    testing::Values(
        BadFile{"empty", "", {0, "файлът е празен"}},
        BadFile{"only_blank_lines", "\xEF\xBB\xBF\r\n\r\n", {0, "файлът е празен"}},
        BadFile{"one_column",
                "\nселище\nМелник\n",
                {2, "заглавният ред има една колона, а трябва да има две или три, разделени с "
                    "точка и запетая, запетая или табулация"}},
        BadFile{"four_columns",
                "а,б,в,г\n",
                {1, "заглавният ред има 4 колони, а трябва да има две или три, разделени с "
                    "точка и запетая, запетая или табулация"}},
        BadFile{"unnamed_column", "селище;\n", {1, "втората колона няма име"}},
        BadFile{"no_pairs", kHeader + "\r\n;\r\n", {0, "под заглавния ред няма нито една двойка"}},
        BadFile{"no_second_column",
                kHeader + "а;б\r\n\r\nв;г\r\nд;е\r\nж;з\r\nи\r\n",
                {7, "няма втора колона"}},
        BadFile{"no_third_column", "а;б;в\nг;д;е\nж;з\n", {3, "няма трета колона"}},
        BadFile{"extra_column", kHeader + "а;б;в\r\n", {2, "има 3 колони, а заглавният ред има 2"}},
        BadFile{"empty_left", kHeader + ";б\r\n", {2, "първата колона е празна"}},
        BadFile{"empty_right", kHeader + "а;\"\"\r\n", {2, "втората колона е празна"}},
        // A quote inside a field is text, for the separator's choice as for the fields: the
        // header has two columns, and the quote that opens line 2 is never closed.
        BadFile{"quote_inside_a_header_field",
                "Размер 5\";Цена\n\"а,б,в\n",
                {2, "кавичките не са затворени"}},
        BadFile{"unclosed_quote", kHeader + "а;\"б\r\nв;г\r\n", {2, "кавичките не са затворени"}},
        BadFile{"quoted_line_break",
                kHeader + "а;\"б\r\nв\";г\r\n",
                {2, "текст в кавички на повече от един ред"}},
        BadFile{
            "too_many_pairs", kHeader + Repeated("а;б\r\n", 1001), {1002, "повече от 1000 двойки"}},
        BadFile{"too_long_text",
                kHeader + "а;" + Repeated("ж", 301) + "\r\n",
                {2, "текстът във втората колона е по-дълъг от 300 знака"}},
        BadFile{"too_large",
                kHeader + Repeated(Repeated("ж", 200) + ";б\r\n", 2700),
                {0, "файлът е по-голям от 1 MiB"}},
        BadFile{"binary",
                std::string("\x7F"
                            "ELF\x02\x01\x01\0\0\0",
                            10),
                {1, "знаци, които не са текст (двоичен файл?)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableFile, LimitsAreInclusive) {
    EXPECT_EQ(Read(kHeader + Repeated("а;б\r\n", 1000)).pairs.size(), 1000U);
    const PairTable longest =
        Read(kHeader + Repeated("ж", 300) + ";" + Repeated("ю", 300) + "\r\n");
    EXPECT_EQ(longest.pairs[0].right, Repeated("ю", 300));
    // Blank lines count towards the size, though not as pairs.
    std::string largest = kHeader + "а;б\r\n";
    largest.resize(quiz::kMaxTextFileBytes, '\n');
    EXPECT_EQ(Read(largest).pairs.size(), 1U);
    largest.push_back('\n');
    EXPECT_TRUE(std::holds_alternative<TableError>(ReadTable(largest, "")));
}

TEST(TableFile, SeparatorIsTheOneTheHeaderUses) {
    const PairTable commas = Read("град,\"обект; с точка и запетая\"\nа;б,в\n");
    EXPECT_EQ(commas.columns[1], "обект; с точка и запетая");
    EXPECT_EQ(commas.pairs[0].left, "а;б");
    // Four commas inside quotes do not make a header of five columns.
    EXPECT_EQ(Read("град;\"обект, с, четири, запетаи, вътре\"\nа;б\n").columns.size(), 2U);
    const PairTable tabs = Read("град\tобект, с запетая\nа,б\tв\n");
    EXPECT_EQ(tabs.pairs[0].left, "а,б");
    EXPECT_EQ(tabs.columns.size(), 2U);
}

// A header whose last text has a quote and a comma is written quoted: read with commas, that
// quote would open a field running on into the next line, so the semicolon is the separator.
TEST(TableFile, QuotedHeaderReadsBackWithItsSeparator) {
    const PairTable table{"", {"а", ">\"\"<%,"}, {{"яя", "г,", ""}}};
    const PairTable read = Read(quiz::WriteTable(table));
    EXPECT_EQ(read.columns, table.columns);
    ASSERT_EQ(read.pairs.size(), 1U);
    EXPECT_EQ(read.pairs[0].right, "г,");
}

TEST(TableFile, TextsStayAsTheyStand) {
    const PairTable table = Read("ляво;дясно\n Родопи ;\"\"\"Кабиле\"\" \"след\n");
    EXPECT_EQ(table.pairs[0].left, " Родопи ");
    EXPECT_EQ(table.pairs[0].right, "\"Кабиле\" след");
}

TEST(TableFile, BuiltInTableRoundTrips) {
    const PairTable& builtIn = *quiz::BuiltInTable();
    const std::string file = quiz::WriteTable(builtIn);
    EXPECT_TRUE(file.starts_with("\xEF\xBB\xBFселище;забележителност;област\r\n"));
    EXPECT_NE(file.find("\r\nЯмбол;\"Античен град \"\"Кабиле\"\"\";Ямбол\r\n"), std::string::npos);
    const PairTable read = Read(file);
    ASSERT_EQ(read.pairs.size(), builtIn.pairs.size());
    EXPECT_EQ(read.columns, builtIn.columns);
    for (std::size_t pair = 0; pair < read.pairs.size(); ++pair) {
        EXPECT_EQ(read.pairs[pair].left, builtIn.pairs[pair].left);
        EXPECT_EQ(read.pairs[pair].right, builtIn.pairs[pair].right);
        EXPECT_EQ(read.pairs[pair].note, builtIn.pairs[pair].note);
    }
    const PairTable twoColumns{"", {"а", "б"}, {{"x;y", "\"z\"", ""}}};
    EXPECT_EQ(quiz::WriteTable(twoColumns), "\xEF\xBB\xBFа;б\r\n\"x;y\";\"\"\"z\"\"\"\r\n");
}

// Every verdict of the built-in table, right and wrong, comes out the same from its saved copy:
// the program's CSV, and that CSV as LibreOffice saves it in its two spreadsheet formats.
class SavedBuiltInTable : public testing::TestWithParam<const char*> {};

TEST_P(SavedBuiltInTable, PlaysTheSameVerdicts) {
    const std::string file = GetParam();
    auto saved = std::make_shared<const PairTable>(
        Read(file.empty() ? quiz::WriteTable(*quiz::BuiltInTable()) : testdata::FileBytes(file)));
    quiz::Quiz builtIn;
    quiz::Quiz opened;
    opened.UseTable(saved);
    EXPECT_FALSE(opened.BuiltIn());
    const auto& pairs = saved->pairs;
    for (std::size_t round = 0; round < 2; ++round) {
        builtIn.FillLists();
        opened.FillLists();
        for (std::size_t pair = 0; pair < pairs.size(); ++pair) {
            // The first round pairs each settlement with its own site, the second with the next's.
            const auto& site = pairs[(pair + round) % pairs.size()].right;
            for (quiz::Quiz* quiz : {&builtIn, &opened}) {
                quiz->Settlements().SetListIndex(
                    quiztest::IndexOf(quiz->Settlements(), pairs[pair].left));
                quiz->Sites().SetListIndex(quiztest::IndexOf(quiz->Sites(), site));
                quiz->CheckPair();
            }
            ASSERT_EQ(opened.Text(), builtIn.Text());
        }
        EXPECT_EQ(opened.ScoreText(), round == 0 ? "Край: 60 от 60" : "Край: 0 от 60");
        EXPECT_EQ(opened.MissedLines(), builtIn.MissedLines());
    }
}

INSTANTIATE_TEST_SUITE_P(As, SavedBuiltInTable,
                         testing::Values("", "libreoffice-built-in.xlsx",
                                         "libreoffice-built-in.ods"),
                         [](const auto& info) {
                             return *info.param == 0 ? std::string("csv")
                                                     : testdata::TestName(info.param);
                         });

} // namespace
