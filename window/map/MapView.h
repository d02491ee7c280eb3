// SPDX-License-Identifier: MIT
// Bulgaria's provinces drawn as vector paths at any size: some filled in colours, pins, the
// names of the provinces large enough for them, the Black Sea named. A click or, from the
// keyboard, the arrow keys and Space or Enter choose a province. To assistive technology each
// province is an item of a list (MapAccessible), focused as the arrow keys reach it.
#pragma once

#include <ProvinceMap.h>
#include <QColor>
#include <QPainterPath>
#include <QTransform>
#include <QWidget>
#include <vector>

namespace window {

class MapView final : public QWidget {
    Q_OBJECT

public:
    MapView(const map::ProvinceMap& provinces, QWidget* parent);

    // Takes every colour and pin away.
    void Clear();
    void Fill(int province, const QColor& colour);
    void AddPin(map::Point at, const QColor& colour);
    [[nodiscard]] const map::ProvinceMap& Provinces() const { return m_provinces; }
    // The province's colour, or an invalid one where it has the land's.
    [[nodiscard]] QColor FillOf(int province) const {
        return m_fills.at(static_cast<std::size_t>(province));
    }
    // The province the arrow keys are on, or -1.
    [[nodiscard]] int Current() const { return m_current; }
    void SetCurrent(int province);
    // Where a point of the map is in the widget, as it is drawn now.
    [[nodiscard]] QPointF ToWidget(map::Point point) const;
    // The province drawn at a point of the widget, or -1.
    [[nodiscard]] int ProvinceAt(QPointF at) const;
    // The box around the province, in the widget, as it is drawn now.
    [[nodiscard]] QRect ProvinceBox(int province) const;
    // Makes the province the current one and chooses it, as a click on it does.
    void Choose(int province);
    [[nodiscard]] QSize sizeHint() const override { return {640, 400}; }

    // The colours of the map's two kinds of mark, for its legend too.
    static const QColor kRight;
    static const QColor kWrong;

signals:
    // A click on a province, Space or Enter on the current one, or a press from assistive
    // technology.
    void provinceChosen(int province);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Fit();
    // Tells assistive technology that the current province has the focus.
    void TellFocus();

    const map::ProvinceMap& m_provinces;
    std::vector<QPainterPath> m_paths;
    std::vector<QColor> m_fills;
    std::vector<std::pair<map::Point, QColor>> m_pins;
    QTransform m_toWidget;
    int m_current = -1;
};

} // namespace window
