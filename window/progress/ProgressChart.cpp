// SPDX-License-Identifier: MIT
#include "progress/ProgressChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace window {
namespace {

constexpr const char* kChartName = "Отговори и научени двойки за последните %1 дни";
constexpr const char* kNoPractice = "През последните %1 дни няма упражнения.";
constexpr const char* kDayWords = "%1: %2 верни, %3 грешни";
constexpr const char* kLearnedWords = ", научени %1";
constexpr const char* kLegendRight = "верни";
constexpr const char* kLegendWrong = "грешни";
constexpr const char* kLegendLearned = "научени";

// The colours of the window's own verdicts: green for right, red for wrong.
const QColor kRightColour(0x2e, 0x7d, 0x32);
const QColor kWrongColour(0xc6, 0x28, 0x28);
const QColor kLearnedColour(0x15, 0x65, 0xc0);

} // namespace

QString DescribeDays(const QList<ChartDay>& days) {
    QStringList parts;
    for (const ChartDay& day : days) {
        if (day.right + day.wrong == 0 && day.learned < 0) {
            continue;
        }
        QString part = QString::fromUtf8(kDayWords)
                           .arg(day.date.toString(QStringLiteral("dd.MM")))
                           .arg(day.right)
                           .arg(day.wrong);
        if (day.learned >= 0) {
            part += QString::fromUtf8(kLearnedWords).arg(day.learned);
        }
        parts << part;
    }
    return parts.isEmpty() ? QString::fromUtf8(kNoPractice).arg(kChartDays)
                           : parts.join(QStringLiteral("; ")) + u'.';
}

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProgressChart"));
    setAccessibleName(QString::fromUtf8(kChartName).arg(kChartDays));
    // Reached by Tab, so that a screen reader reads its description.
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ProgressChart::SetDays(QList<ChartDay> days, int pairs) {
    m_days = std::move(days);
    m_pairs = std::max(1, pairs);
    setAccessibleDescription(DescribeDays(m_days));
    update();
}

QSize ProgressChart::sizeHint() const {
    const int line = fontMetrics().height();
    return {line * 30, line * 12};
}

QSize ProgressChart::minimumSizeHint() const {
    const int line = fontMetrics().height();
    return {line * 15, line * 8};
}

void ProgressChart::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const int count = std::max<int>(1, static_cast<int>(m_days.size()));
    int most = 1;
    for (const ChartDay& day : m_days) {
        most = std::max(most, day.right + day.wrong);
    }
    // The plot: margins for the scales on either side, the legend above, the dates below.
    const qreal left = metrics.horizontalAdvance(QString::number(most)) + line * 0.8;
    const qreal right = metrics.horizontalAdvance(QString::number(m_pairs)) + line * 0.8;
    const QRectF plot(left, line * 1.6, width() - left - right, height() - line * 3.4);
    if (plot.width() <= 0 || plot.height() <= 0) {
        return;
    }
    const QColor text = palette().color(QPalette::Text);
    painter.setPen(QPen(text, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawText(QRectF(0, plot.top() - line / 2.0, plot.left() - line * 0.3, line),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(most));
    painter.drawText(QRectF(0, plot.bottom() - line / 2.0, plot.left() - line * 0.3, line),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    painter.setPen(kLearnedColour);
    painter.drawText(QRectF(plot.right() + line * 0.3, plot.top() - line / 2.0, right, line),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::number(m_pairs));

    const qreal slot = plot.width() / count;
    const qreal bar = slot * 0.7;
    QPainterPath learned;
    bool started = false;
    for (int i = 0; i < m_days.size(); ++i) {
        const ChartDay& day = m_days.at(i);
        const qreal x = plot.left() + slot * i + (slot - bar) / 2;
        const qreal rightHeight = plot.height() * day.right / most;
        const qreal wrongHeight = plot.height() * day.wrong / most;
        painter.fillRect(QRectF(x, plot.bottom() - rightHeight, bar, rightHeight), kRightColour);
        painter.fillRect(QRectF(x, plot.bottom() - rightHeight - wrongHeight, bar, wrongHeight),
                         kWrongColour);
        if (day.learned >= 0) {
            const QPointF point(x + bar / 2, plot.bottom() - plot.height() * day.learned / m_pairs);
            if (started) {
                learned.lineTo(point);
            } else {
                learned.moveTo(point);
                started = true;
            }
        }
        // A date under every fifth day and the last, where they have room.
        if ((m_days.size() - 1 - i) % 5 == 0) {
            painter.setPen(text);
            painter.drawText(
                QRectF(x + bar / 2 - slot * 2.5, plot.bottom() + line * 0.2, slot * 5, line),
                Qt::AlignHCenter | Qt::AlignTop, day.date.toString(QStringLiteral("dd.MM")));
        }
    }
    painter.setPen(QPen(kLearnedColour, std::max(2.0, line / 8.0)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(learned);

    // The legend, in a row above the plot.
    qreal x = plot.left();
    const auto legend = [&](const QColor& colour, const char* name) {
        const qreal box = line * 0.7;
        painter.fillRect(QRectF(x, line * 0.3 + (line - box) / 2, box, box), colour);
        x += box + line * 0.3;
        const QString label = QString::fromUtf8(name);
        painter.setPen(text);
        painter.drawText(QRectF(x, line * 0.3, metrics.horizontalAdvance(label) + 1, line),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
        x += metrics.horizontalAdvance(label) + line;
    };
    legend(kRightColour, kLegendRight);
    legend(kWrongColour, kLegendWrong);
    legend(kLearnedColour, kLegendLearned);
}

} // namespace window
