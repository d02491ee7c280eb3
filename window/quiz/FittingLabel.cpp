// SPDX-License-Identifier: MIT
#include "quiz/FittingLabel.h"

#include <QFontMetricsF>
#include <QPainter>

namespace window {

QFont FittingLabel::TextFont() const {
    QFont fitted = font();
    const qreal room = contentsRect().width() - 2 * kMargin;
    // Steps of half a point down to a size still readable; below it the text is clipped.
    constexpr qreal kSmallest = 6;
    while (QFontMetricsF(fitted).horizontalAdvance(text()) > room &&
           fitted.pointSizeF() - 0.5 >= kSmallest) {
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    }
    return fitted;
}

void FittingLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(TextFont());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}

} // namespace window
