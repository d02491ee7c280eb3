// SPDX-License-Identifier: MIT
// The chart of the progress window: a month of answers and of pairs learned, day by day.
#pragma once

#include <QDate>
#include <QList>
#include <QWidget>

namespace window {

// The days a chart shows, up to today.
inline constexpr int kChartDays = 30;

struct ChartDay {
    QDate date;
    int right = 0;
    int wrong = 0;
    int learned = -1; // when a round ended that day: the pairs learned after the last one
};

// Per day, the right answers (below) and the wrong ones (above) as a stacked bar against the
// left edge's scale, and the learned count as a line through the days that have one, against
// the right edge's; dates as dd.MM under every few bars.
// Drawn with QPainter from the font's metrics, so crisp at any size and text scale. A screen
// reader reads the same figures, in words, as its description.
class ProgressChart final : public QWidget {
    Q_OBJECT
public:
    explicit ProgressChart(QWidget* parent = nullptr);
    // The learned line is drawn against the table's pairs, whose count the right edge shows.
    void SetDays(QList<ChartDay> days, int pairs);
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<ChartDay> m_days;
    int m_pairs = 1;
};

// The chart's figures as a sentence: the days with practice, each with its answers.
[[nodiscard]] QString DescribeDays(const QList<ChartDay>& days);

} // namespace window
