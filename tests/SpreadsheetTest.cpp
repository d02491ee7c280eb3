// SPDX-License-Identifier: MIT
#include "Spreadsheet.h"

#include "TestData.h"

#include <gtest/gtest.h>

namespace {

using quiz::PairTable;
using quiz::TableError;

std::variant<PairTable, TableError> ReadSheet(const std::string& name) {
    return sheets::ReadTableFile(testdata::FileBytes("sheets/" + name), "лист");
}

struct GoodSheet {
    const char* file;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> pairs;
};

void PrintTo(const GoodSheet& sheet, std::ostream* out) {
    *out << sheet.file;
}

class GoodSheets : public testing::TestWithParam<GoodSheet> {};

TEST_P(GoodSheets, GiveTheTextsTheSpreadsheetShows) {
    const auto result = ReadSheet(GetParam().file);
    if (const auto* error = std::get_if<TableError>(&result)) {
        FAIL() << "ред " << error->line << ": " << error->fault;
    }
    const auto& table = std::get<PairTable>(result);
    EXPECT_EQ(table.title, "лист");
    EXPECT_EQ(table.columns, GetParam().columns);
    std::vector<std::vector<std::string>> pairs;
    for (const quiz::Pair& pair : table.pairs) {
        pairs.push_back({pair.left, pair.right, pair.note});
    }
    EXPECT_EQ(pairs, GetParam().pairs);
}

// The same sheet saved by LibreOffice in both formats: the header on row 2 below an empty row, a
// hidden row, a formula's number and a formula's text, a cell merged over two rows, two spaces
// after a bold word, an empty row, a cell repeated, and a second sheet that is not read.
const GoodSheet kFeatures{"",
                          {"Река", "Извор", "Дължина, км"},
                          {{"Искър", "Рила", "368"},
                           {"Марица", "Рила", "322"},
                           {"Струма", "Витоша", "обединена"},
                           {"Янтра", "Стара планина", ""},
                           {"Бели  Лом", "Лудогорие", "при Русе"},
                           {"Огоста", "Огоста", "1"}}};

GoodSheet Saved(const char* file, GoodSheet sheet) {
    sheet.file = file;
    return sheet;
}

INSTANTIATE_TEST_SUITE_P(
    Saved, GoodSheets,
    testing::Values(Saved("libreoffice-features.xlsx", kFeatures),
                    Saved("libreoffice-features.ods", kFeatures),
                    // Inline strings, runs and a phonetic guide, cells out of order, a truth value.
                    GoodSheet{"inline-strings.xlsx",
                              {"Река", "Извор", "Вярно ли е"},
                              {{" Искър ", "Рила", "ИСТИНА"}}}),
    [](const auto& info) { return testdata::TestName(info.param.file); });

struct BadSheet {
    const char* file;
    TableError error;
};

void PrintTo(const BadSheet& sheet, std::ostream* out) {
    *out << sheet.file;
}

class BadSheets : public testing::TestWithParam<BadSheet> {};

TEST_P(BadSheets, NameTheRowAndTheFault) {
    const auto result = ReadSheet(GetParam().file);
    ASSERT_TRUE(std::holds_alternative<TableError>(result));
    EXPECT_EQ(std::get<TableError>(result).line, GetParam().error.line);
    EXPECT_EQ(std::get<TableError>(result).fault, GetParam().error.fault);
}

constexpr const char* kNotATable =
    "това не е таблица: запишете я от Excel или LibreOffice като .xlsx, .ods или .csv";
constexpr const char* kEncrypted =
    "таблицата е защитена с парола: отворете я и я запишете без парола";

INSTANTIATE_TEST_SUITE_P(
    Faults, BadSheets,
    testing::Values(
        BadSheet{"bomb-part.xlsx",
                 {0, "частта „xl/worksheets/sheet1.xml“ се разархивира до повече от 8 MiB"}},
        BadSheet{"bomb-total.xlsx", {0, "файлът се разархивира до повече от 16 MiB"}},
        BadSheet{"missing-sheet.xlsx",
                 {0, "липсва частта „xl/worksheets/sheet1.xml“ (файлът е непълен или повреден)"}},
        BadSheet{"missing-workbook.xlsx",
                 {0, "липсва частта „xl/workbook.xml“ (файлът е непълен или повреден)"}},
        BadSheet{"broken-xml.xlsx", {0, "частта „xl/worksheets/sheet1.xml“ е повредена"}},
        BadSheet{"broken-xml.ods", {0, "частта „content.xml“ е повредена"}},
        BadSheet{"truncated.xlsx", {0, "файлът е повреден: архивът в него не се чете"}},
        BadSheet{"column-beyond-last.xlsx", {0, "частта „xl/worksheets/sheet1.xml“ е повредена"}},
        BadSheet{"shared-string-missing.xlsx",
                 {0, "частта „xl/worksheets/sheet1.xml“ е повредена"}},
        BadSheet{"encrypted.xlsx", {0, kEncrypted}},
        BadSheet{"encrypted-zip.xlsx", {0, kEncrypted}}, BadSheet{"encrypted.ods", {0, kEncrypted}},
        BadSheet{"empty-sheet.xlsx", {0, "първият лист е празен"}},
        BadSheet{"empty-sheet.ods", {0, "първият лист е празен"}},
        BadSheet{"libreoffice-authors-97.xls",
                 {0, "файлът е във формата на Excel 97–2003: запишете го като .xlsx или .csv"}},
        BadSheet{"document.docx", {0, kNotATable}}, BadSheet{"text.odt", {0, kNotATable}},
        BadSheet{"../../../resources/icons/trevika-16.png", {0, kNotATable}},
        BadSheet{"document.pdf", {0, kNotATable}}, BadSheet{"document.rtf", {0, kNotATable}},
        BadSheet{"page.html", {0, kNotATable}}, BadSheet{"page-bom.htm", {0, kNotATable}},
        BadSheet{"not-utf8.xlsx", {2, "текстът не е в кодировка UTF-8"}},
        BadSheet{"control-character.xlsx", {3, "знаци, които не са текст"}},
        BadSheet{"multiline.ods", {2, "текст на повече от един ред в една клетка"}},
        BadSheet{"repeated-rows.ods", {1002, "повече от 1000 двойки"}},
        // Files of a few kilobytes whose text, copied as asked, would take gigabytes.
        BadSheet{"shared-string-everywhere.xlsx", {2, "има 16384 колони, а заглавният ред има 2"}},
        BadSheet{"shared-string-long.xlsx",
                 {2, "текстът в първата колона е по-дълъг от 300 знака"}},
        BadSheet{"spaces-everywhere.ods", {2, "има 16384 колони, а заглавният ред има 2"}},
        BadSheet{"spaces-long.ods", {2, "текстът в първата колона е по-дълъг от 300 знака"}}),
    [](const auto& info) { return testdata::TestName(info.param.file); });

} // namespace
