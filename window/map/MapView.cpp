// SPDX-License-Identifier: MIT
#include "map/MapView.h"

#include "map/MapAccessible.h"
#include "map/ProvincePaths.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace window {
namespace {

constexpr const char* kAccessibleName = "Карта на България";
constexpr const char* kSea = "Черно море";
// Room east of the coast for the sea's name, as a share of the country's width.
constexpr double kSeaShare = 0.12;
constexpr int kMargin = 8;
const QColor kLand(0xF4, 0xF0, 0xE4);
const QColor kOutside(0xDD, 0xE7, 0xF0);
const QColor kBorder(0x80, 0x80, 0x80);
const QColor kNames(0x50, 0x50, 0x50);
const QColor kSeaName(0x3A, 0x6E, 0xA5);
// Where the arrow keys start: a province in the middle of the country.
constexpr const char* kMiddle = "BG-24";

} // namespace

const QColor MapView::kRight(0x5C, 0xB8, 0x5C);
const QColor MapView::kWrong(0xE0, 0x8A, 0x3C);

MapView::MapView(const map::ProvinceMap& provinces, QWidget* parent)
    : QWidget(parent), m_provinces(provinces),
      m_fills(static_cast<std::size_t>(provinces.Count())) {
    InstallMapAccessibility();
    setObjectName(QStringLiteral("MapView"));
    setAccessibleName(QString::fromUtf8(kAccessibleName));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 200);
    m_paths = ProvincePaths(provinces);
    Fit();
}

void MapView::Clear() {
    std::fill(m_fills.begin(), m_fills.end(), QColor());
    m_pins.clear();
    update();
}

void MapView::Fill(int province, const QColor& colour) {
    QColor& fill = m_fills.at(static_cast<std::size_t>(province));
    const bool selected = fill.isValid();
    fill = colour;
    update();
    if (fill.isValid() != selected && QAccessible::isActive()) {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(this, changed);
        event.setChild(province);
        QAccessible::updateAccessibility(&event);
    }
}

void MapView::AddPin(map::Point at, const QColor& colour) {
    m_pins.emplace_back(at, colour);
    update();
}

void MapView::SetCurrent(int province) {
    const bool moved = province != m_current;
    m_current = province;
    update();
    if (moved && hasFocus()) {
        TellFocus();
    }
}

QPointF MapView::ToWidget(map::Point point) const {
    return m_toWidget.map(QPointF(point.x, point.y));
}

int MapView::ProvinceAt(QPointF at) const {
    const QPointF point = m_toWidget.inverted().map(at);
    return m_provinces.ProvinceAt({qRound(point.x()), qRound(point.y())});
}

QRect MapView::ProvinceBox(int province) const {
    return m_toWidget.mapRect(m_paths.at(static_cast<std::size_t>(province)).boundingRect())
        .toAlignedRect();
}

void MapView::Choose(int province) {
    SetCurrent(province);
    emit provinceChosen(province);
}

void MapView::TellFocus() {
    if (m_current >= 0 && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(m_current);
        QAccessible::updateAccessibility(&event);
    }
}

void MapView::Fit() {
    const map::Point topLeft = m_provinces.TopLeft();
    const map::Point bottomRight = m_provinces.BottomRight();
    const double width = (bottomRight.x - topLeft.x) * (1 + kSeaShare);
    const double height = bottomRight.y - topLeft.y;
    const QRectF room = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const double scale = std::min(room.width() / width, room.height() / height);
    m_toWidget = QTransform();
    m_toWidget.translate(room.center().x() - (width * scale / 2),
                         room.center().y() - (height * scale / 2));
    m_toWidget.scale(scale, scale);
    m_toWidget.translate(-topLeft.x, -topLeft.y);
}

void MapView::resizeEvent(QResizeEvent* /*event*/) {
    Fit();
}

void MapView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kOutside);
    painter.setTransform(m_toWidget);
    QPen border(kBorder);
    border.setCosmetic(true);
    painter.setPen(border);
    for (std::size_t i = 0; i < m_paths.size(); ++i) {
        painter.setBrush(m_fills[i].isValid() ? m_fills[i] : kLand);
        painter.drawPath(m_paths[i]);
    }
    if (m_current >= 0) {
        QPen focus(hasFocus() ? palette().color(QPalette::Highlight) : kNames, 3);
        focus.setCosmetic(true);
        painter.setPen(focus);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(m_paths.at(static_cast<std::size_t>(m_current)));
    }
    painter.resetTransform();

    // The names where they fit, at a size that follows the map's.
    const double scale = m_toWidget.m11();
    QFont names = font();
    names.setPixelSize(std::clamp(static_cast<int>(scale * 95), 11, 24));
    painter.setFont(names);
    painter.setPen(kNames);
    const QFontMetricsF metrics(names);
    for (int i = 0; i < m_provinces.Count(); ++i) {
        const QString name = QString::fromStdString(m_provinces.Provinces()[i].name);
        const double room = 2.4 * m_provinces.InnerRoom(i) * scale;
        if (metrics.horizontalAdvance(name) <= room && metrics.height() <= room) {
            QRectF box(QPointF(), QSizeF(metrics.horizontalAdvance(name), metrics.height()));
            box.moveCenter(ToWidget(m_provinces.InnerPoint(i)));
            painter.drawText(box, Qt::AlignCenter, name);
        }
    }
    // The sea's name, upwards along the coast.
    QFont sea = names;
    sea.setItalic(true);
    sea.setPixelSize(names.pixelSize() * 5 / 4);
    painter.setFont(sea);
    painter.setPen(kSeaName);
    const map::Point east{m_provinces.BottomRight().x, 0};
    const double x = ToWidget(east).x() + ((m_provinces.BottomRight().x - m_provinces.TopLeft().x) *
                                           kSeaShare * scale / 2);
    const double y =
        (ToWidget(m_provinces.TopLeft()).y() + ToWidget(m_provinces.BottomRight()).y()) / 2;
    painter.translate(x, y);
    painter.rotate(-90);
    const QString seaName = QString::fromUtf8(kSea);
    painter.drawText(
        QPointF(-QFontMetricsF(sea).horizontalAdvance(seaName) / 2, metrics.ascent() / 2), seaName);
    painter.resetTransform();

    const double radius = std::clamp(scale * 30, 4.0, 9.0);
    for (const auto& [at, colour] : m_pins) {
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(colour.darker(170));
        painter.drawEllipse(ToWidget(at), radius, radius);
    }
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int province = ProvinceAt(event->position());
    if (province >= 0) {
        Choose(province);
    }
}

void MapView::keyPressEvent(QKeyEvent* event) {
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_current >= 0) {
            emit provinceChosen(m_current);
        }
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const int next =
        m_current < 0 ? m_provinces.Find(kMiddle) : m_provinces.NeighbourToward(m_current, dx, dy);
    if (next >= 0) {
        SetCurrent(next);
    }
}

// The current province is read as the map takes the keys, as a list's current item is.
void MapView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    TellFocus();
}

} // namespace window
