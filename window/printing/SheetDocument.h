// SPDX-License-Identifier: MIT
// A sheet laid out for paper: A4 portrait, 15 mm margins, its title, the lines for name, class
// and date, rows of one or two columns whose texts wrap within their column, the blank map
// drawn as lines, and "стр. 1 от 2" at each page's foot. Laid out once for a device's
// resolution, then painted a page at a time.
#pragma once

#include <QPageLayout>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <QTextLayout>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace map {
class ProvinceMap;
}

namespace window {

// One column of a row: a box to write in, a mark ("12.", "Б.") and the text.
struct SheetCell {
    bool box = false;
    QString mark;
    QString text;
};

struct SheetRow {
    enum class Kind { Cells, Heading, Map, NewPage };
    Kind kind = Kind::Cells;
    // The left cell and, where a row has two columns, the right one.
    SheetCell left;
    SheetCell right;
    bool twoColumns = true;
    // The left column's share of the width both columns have.
    double leftShare = 0.5;
};

struct SheetContent {
    QString title;
    // "Работен лист, вариант 7", under the title.
    QString subtitle;
    // The lines for name, class and date, with the name where it is known.
    bool fields = false;
    QString name;
    QString instruction;
    std::vector<SheetRow> rows;
    // For a row of kind Map.
    const map::ProvinceMap* provinces = nullptr;
};

// A4 portrait with the sheet's margins.
[[nodiscard]] QPageLayout SheetPageLayout();

class SheetDocument {
public:
    SheetDocument(SheetContent content, const QPagedPaintDevice& device);
    ~SheetDocument();
    SheetDocument(const SheetDocument&) = delete;
    SheetDocument& operator=(const SheetDocument&) = delete;

    [[nodiscard]] int Pages() const { return static_cast<int>(m_pageStarts.size()); }
    // Paints the page (from 0) in the device's paint rectangle.
    void PaintPage(QPainter& painter, int page) const;

private:
    struct LaidRow;
    [[nodiscard]] double Mm(double millimetres) const;
    // "Име: …    Клас: …    Дата: …", empty where the sheet has no fields.
    [[nodiscard]] QString FieldsLine() const;
    [[nodiscard]] double ColumnWidth(const SheetRow& row, bool left) const;
    [[nodiscard]] double LayOutRow(LaidRow& laid) const;
    void PaintRow(QPainter& painter, const LaidRow& laid, double top) const;
    void PaintMap(QPainter& painter, double top) const;
    [[nodiscard]] double PaintHeader(QPainter& painter) const;

    SheetContent m_content;
    const QPagedPaintDevice* m_device;
    double m_dotsPerMm;
    double m_width;
    double m_height;
    double m_headerHeight = 0;
    // Each line of the header with where it stands on the first page.
    std::vector<std::pair<double, std::unique_ptr<QTextLayout>>> m_header;
    std::vector<std::unique_ptr<LaidRow>> m_rows;
    std::vector<std::size_t> m_pageStarts;
    std::vector<QPainterPath> m_provinces;
};

} // namespace window
