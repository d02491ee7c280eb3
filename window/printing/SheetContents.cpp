// SPDX-License-Identifier: MIT
#include "printing/SheetContents.h"

#include "tables/Headings.h"

#include <Collation.h>
#include <Quiz.h>
#include <Sheets.h>

namespace window {
namespace {

constexpr const char* kWorksheetName = "Работен лист, вариант %1";
constexpr const char* kKeyName = "Отговори, вариант %1";
constexpr const char* kMapName = "Празна карта";
constexpr const char* kReviewName = "За повторение, вариант %1";
constexpr const char* kMapKeyHeading = "Отговори";
constexpr const char* kWorksheetInstruction =
    "Напишете в квадратчето пред всяко число буквата на това, което му съответства.";
constexpr const char* kMapInstruction =
    "Напишете в квадратчето пред всеки обект номера на областта, в която е.";
constexpr const char* kNumber = "%1.";
// The left texts (settlements) are the shorter ones.
constexpr double kWorksheetLeftShare = 0.36;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Texts in two columns, the first half down the left, the rest down the right.
void AddInColumns(std::vector<SheetRow>& rows, const std::vector<SheetCell>& cells) {
    const std::size_t half = (cells.size() + 1) / 2;
    for (std::size_t i = 0; i < half; ++i) {
        SheetRow row;
        row.left = cells[i];
        if (half + i < cells.size()) {
            row.right = cells[half + i];
        }
        rows.push_back(row);
    }
}

std::vector<SheetCell> LinesOf(const std::vector<std::string>& lines) {
    std::vector<SheetCell> cells;
    cells.reserve(lines.size());
    for (const std::string& line : lines) {
        cells.push_back({false, {}, Text(line)});
    }
    return cells;
}

void AddWorksheet(SheetContent& content, const paper::Worksheet& sheet, const QStringList& headings,
                  bool key) {
    if (key) {
        AddInColumns(content.rows, LinesOf(paper::KeyLines(sheet)));
        return;
    }
    SheetRow heading;
    heading.kind = SheetRow::Kind::Heading;
    heading.left.text = headings.value(1);
    heading.right.text = headings.value(2);
    heading.leftShare = kWorksheetLeftShare;
    content.rows.push_back(heading);
    for (std::size_t i = 0; i < sheet.numbered.size(); ++i) {
        SheetRow row;
        row.left = {true, QString::fromUtf8(kNumber).arg(i + 1), Text(sheet.numbered[i])};
        row.right = {false, Text(paper::LetterOf(i)) + QLatin1Char('.'), Text(sheet.lettered[i])};
        row.leftShare = kWorksheetLeftShare;
        content.rows.push_back(row);
    }
}

void AddMap(SheetContent& content, const map::ProvinceMap& provinces,
            const paper::MapSheet& sheet) {
    content.provinces = &provinces;
    SheetRow picture;
    picture.kind = SheetRow::Kind::Map;
    picture.twoColumns = false;
    content.rows.push_back(picture);
    std::vector<SheetCell> sites;
    for (std::size_t i = 0; i < sheet.sites.size(); ++i) {
        sites.push_back({true, QString::fromUtf8(kNumber).arg(i + 1), Text(sheet.sites[i].site)});
    }
    AddInColumns(content.rows, sites);
    SheetRow newPage;
    newPage.kind = SheetRow::Kind::NewPage;
    content.rows.push_back(newPage);
    SheetRow heading;
    heading.kind = SheetRow::Kind::Heading;
    heading.twoColumns = false;
    heading.left.text = QString::fromUtf8(kMapKeyHeading);
    content.rows.push_back(heading);
    AddInColumns(content.rows, LinesOf(paper::MapKeyLines(provinces, sheet)));
}

} // namespace

QString SheetName(const SheetChoice& choice) {
    switch (choice.kind) {
    case SheetKind::Worksheet:
        return QString::fromUtf8(kWorksheetName).arg(choice.variant);
    case SheetKind::Key:
        return QString::fromUtf8(kKeyName).arg(choice.variant);
    case SheetKind::BlankMap:
        return QString::fromUtf8(kMapName);
    case SheetKind::Review:
        break;
    }
    return QString::fromUtf8(kReviewName).arg(choice.variant);
}

SheetContent ContentOf(const SheetChoice& choice, const quiz::Quiz& quiz,
                       const std::vector<std::size_t>& rows, const map::ProvinceMap* provinces) {
    const QStringList headings = Headings(quiz);
    SheetContent content;
    content.title = headings.value(0);
    content.subtitle = SheetName(choice);
    content.fields = choice.kind != SheetKind::Key;
    const quiz::Collation order;
    if (choice.kind == SheetKind::BlankMap) {
        content.instruction = QString::fromUtf8(kMapInstruction);
        if (provinces != nullptr) {
            AddMap(content, *provinces, paper::MapSheetOf(*provinces, quiz.Table(), order));
        }
        return content;
    }
    if (choice.kind == SheetKind::Review) {
        content.name = choice.learner;
    }
    if (choice.kind != SheetKind::Key) {
        content.instruction = QString::fromUtf8(kWorksheetInstruction);
    }
    AddWorksheet(content, paper::WorksheetOf(quiz.Table(), rows, choice.variant, order), headings,
                 choice.kind == SheetKind::Key);
    return content;
}

} // namespace window
