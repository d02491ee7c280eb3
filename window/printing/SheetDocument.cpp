// SPDX-License-Identifier: MIT
#include "printing/SheetDocument.h"

#include "map/ProvincePaths.h"

#include <Pages.h>
#include <ProvinceMap.h>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextOption>
#include <algorithm>

namespace window {
namespace {

// The sheet's measures, in millimetres and points.
constexpr double kMarginMm = 15;
constexpr double kColumnGapMm = 6;
constexpr double kBoxMm = 5;
constexpr double kBoxGapMm = 1.5;
constexpr double kMarkMm = 9;
constexpr double kRowGapMm = 1.6;
constexpr double kHeaderGapMm = 3;
constexpr double kFooterMm = 9;
constexpr double kLineMm = 0.25;
constexpr double kTextPt = 11;
constexpr double kTitlePt = 16;
constexpr double kFooterPt = 9;
constexpr double kProvinceNumberPt = 8;

constexpr const char* kNameField = "Име: ";
constexpr const char* kBlankName = "________________________________";
constexpr const char* kClassAndDate = "    Клас: ________    Дата: ______________";

// Arial on Windows; on Linux fontconfig gives Liberation Sans for it (fonts-liberation2, which
// the package depends on), whose letters are as wide as Arial's: a sheet lays out the same on
// both, page for page.
constexpr const char* kFamily = "Arial";

QFont SheetFont(double points, bool bold = false) {
    QFont font(QString::fromLatin1(kFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A text wrapped into a width: at spaces, or inside a word that is wider than the width.
struct Wrapped {
    std::unique_ptr<QTextLayout> layout;
    double height = 0;
};

Wrapped Wrap(const QString& text, const QFont& font, double width, const QPaintDevice* device) {
    Wrapped wrapped{std::make_unique<QTextLayout>(text, font, device), 0};
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    wrapped.layout->setTextOption(option);
    wrapped.layout->beginLayout();
    for (QTextLine line = wrapped.layout->createLine(); line.isValid();
         line = wrapped.layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, wrapped.height));
        wrapped.height += line.height();
    }
    wrapped.layout->endLayout();
    return wrapped;
}

} // namespace

struct SheetDocument::LaidRow {
    const SheetRow* row = nullptr;
    double height = 0;
    Wrapped left;
    Wrapped right;
    Wrapped leftMark;
    Wrapped rightMark;
};

QPageLayout SheetPageLayout() {
    return {QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter};
}

SheetDocument::SheetDocument(SheetContent content, const QPagedPaintDevice& device)
    : m_content(std::move(content)), m_device(&device), m_dotsPerMm(device.logicalDpiY() / 25.4) {
    const QRectF paint = device.pageLayout().paintRectPixels(device.logicalDpiY());
    m_width = paint.width();
    m_height = paint.height();
    // The header: title, subtitle, fields and instruction, laid out once for the first page.
    const auto addLine = [&](const QString& text, const QFont& font) {
        Wrapped wrapped = Wrap(text, font, m_width, &device);
        m_header.emplace_back(m_headerHeight, std::move(wrapped.layout));
        m_headerHeight += wrapped.height;
    };
    addLine(m_content.title, SheetFont(kTitlePt, true));
    for (const QString& line : {m_content.subtitle, FieldsLine(), m_content.instruction}) {
        if (!line.isEmpty()) {
            addLine(line, SheetFont(kTextPt));
        }
    }
    m_headerHeight += Mm(kHeaderGapMm);
    if (m_content.provinces != nullptr) {
        m_provinces = ProvincePaths(*m_content.provinces);
    }

    // Rows onto pages: each part between page breaks starts a page of its own.
    const double room = m_height - Mm(kFooterMm);
    std::vector<double> heights;
    std::size_t partStart = 0;
    const auto endPart = [&](std::size_t end) {
        const std::vector<std::size_t> starts =
            paper::PageStarts(heights, partStart == 0 ? room - m_headerHeight : room, room);
        for (const std::size_t start : starts) {
            m_pageStarts.push_back(partStart + start);
        }
        heights.clear();
        partStart = end;
    };
    for (const SheetRow& row : m_content.rows) {
        auto laid = std::make_unique<LaidRow>();
        laid->row = &row;
        if (row.kind == SheetRow::Kind::NewPage) {
            endPart(m_rows.size() + 1);
            m_rows.push_back(std::move(laid));
            continue;
        }
        laid->height = LayOutRow(*laid);
        heights.push_back(laid->height);
        m_rows.push_back(std::move(laid));
    }
    endPart(m_rows.size());
}

SheetDocument::~SheetDocument() = default;

QString SheetDocument::FieldsLine() const {
    if (!m_content.fields) {
        return {};
    }
    return QString::fromUtf8(kNameField) +
           (m_content.name.isEmpty() ? QString::fromUtf8(kBlankName) : m_content.name) +
           QString::fromUtf8(kClassAndDate);
}

double SheetDocument::Mm(double millimetres) const {
    return millimetres * m_dotsPerMm;
}

double SheetDocument::ColumnWidth(const SheetRow& row, bool left) const {
    if (!row.twoColumns) {
        return m_width;
    }
    const double both = m_width - Mm(kColumnGapMm);
    return left ? both * row.leftShare : both * (1 - row.leftShare);
}

double SheetDocument::LayOutRow(LaidRow& laid) const {
    const SheetRow& row = *laid.row;
    if (row.kind == SheetRow::Kind::Map) {
        const map::ProvinceMap& provinces = *m_content.provinces;
        const double across = provinces.BottomRight().x - provinces.TopLeft().x;
        const double down = provinces.BottomRight().y - provinces.TopLeft().y;
        return m_width * down / across + Mm(kRowGapMm * 2);
    }
    const QFont font = SheetFont(kTextPt, row.kind == SheetRow::Kind::Heading);
    const auto cellHeight = [&](const SheetCell& cell, Wrapped& text, Wrapped& mark) {
        const double column = ColumnWidth(row, &cell == &row.left);
        const double indent =
            (cell.box ? Mm(kBoxMm + kBoxGapMm) : 0) + (cell.mark.isEmpty() ? 0 : Mm(kMarkMm));
        text = Wrap(cell.text, font, column - indent, m_device);
        mark = Wrap(cell.mark, font, Mm(kMarkMm), m_device);
        return std::max({text.height, mark.height, cell.box ? Mm(kBoxMm) : 0.0});
    };
    double height = cellHeight(row.left, laid.left, laid.leftMark);
    if (row.twoColumns) {
        height = std::max(height, cellHeight(row.right, laid.right, laid.rightMark));
    }
    return height + Mm(kRowGapMm);
}

double SheetDocument::PaintHeader(QPainter& painter) const {
    for (const auto& [top, layout] : m_header) {
        layout->draw(&painter, QPointF(0, top));
    }
    return m_headerHeight;
}

void SheetDocument::PaintRow(QPainter& painter, const LaidRow& laid, double top) const {
    const SheetRow& row = *laid.row;
    if (row.kind == SheetRow::Kind::Map) {
        PaintMap(painter, top + Mm(kRowGapMm));
        return;
    }
    const auto paintCell = [&](const SheetCell& cell, const Wrapped& text, const Wrapped& mark,
                               double left) {
        const double column = ColumnWidth(row, &cell == &row.left);
        painter.save();
        // Nothing of a cell reaches into the other column.
        painter.setClipRect(QRectF(left, top, column, laid.height));
        double x = left;
        if (cell.box) {
            painter.setPen(QPen(Qt::black, Mm(kLineMm)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(x, top, Mm(kBoxMm), Mm(kBoxMm)));
            x += Mm(kBoxMm + kBoxGapMm);
        }
        painter.setPen(Qt::black);
        if (!cell.mark.isEmpty()) {
            mark.layout->draw(&painter, QPointF(x, top));
            x += Mm(kMarkMm);
        }
        text.layout->draw(&painter, QPointF(x, top));
        painter.restore();
    };
    paintCell(row.left, laid.left, laid.leftMark, 0);
    if (row.twoColumns) {
        paintCell(row.right, laid.right, laid.rightMark, ColumnWidth(row, true) + Mm(kColumnGapMm));
    }
}

void SheetDocument::PaintMap(QPainter& painter, double top) const {
    const map::ProvinceMap& provinces = *m_content.provinces;
    const double scale = m_width / (provinces.BottomRight().x - provinces.TopLeft().x);
    painter.save();
    painter.translate(0, top);
    painter.scale(scale, scale);
    painter.translate(-provinces.TopLeft().x, -provinces.TopLeft().y);
    painter.setPen(QPen(Qt::black, Mm(kLineMm) / scale));
    painter.setBrush(Qt::NoBrush);
    for (const QPainterPath& path : m_provinces) {
        painter.drawPath(path);
    }
    painter.restore();
    painter.setFont(SheetFont(kProvinceNumberPt, true));
    const double box = Mm(10);
    for (int province = 0; province < provinces.Count(); ++province) {
        const map::Point inner = provinces.InnerPoint(province);
        const QPointF centre((inner.x - provinces.TopLeft().x) * scale,
                             top + (inner.y - provinces.TopLeft().y) * scale);
        painter.drawText(QRectF(centre.x() - box / 2, centre.y() - box / 2, box, box),
                         Qt::AlignCenter, QString::number(province + 1));
    }
}

void SheetDocument::PaintPage(QPainter& painter, int page) const {
    const auto index = static_cast<std::size_t>(page);
    double top = page == 0 ? PaintHeader(painter) : 0;
    const std::size_t end =
        index + 1 < m_pageStarts.size() ? m_pageStarts[index + 1] : m_rows.size();
    for (std::size_t row = m_pageStarts.at(index); row < end; ++row) {
        const LaidRow& laid = *m_rows[row];
        if (laid.row->kind == SheetRow::Kind::NewPage) {
            continue;
        }
        PaintRow(painter, laid, top);
        top += laid.height;
    }
    painter.setFont(SheetFont(kFooterPt));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, m_height - Mm(kFooterMm), m_width, Mm(kFooterMm)),
                     Qt::AlignHCenter | Qt::AlignBottom,
                     QString::fromStdString(paper::PageText(page + 1, Pages())));
}

} // namespace window
