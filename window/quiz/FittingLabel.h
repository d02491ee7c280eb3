// SPDX-License-Identifier: MIT
// A label whose one line of text always fits it: a text too wide for its font is drawn
// smaller, so that a long score neither runs under the button beside it nor off the window.
#pragma once

#include <QLabel>

namespace window {

class FittingLabel final : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The font the text is drawn in: the label's own, or the largest smaller one it fits in
    // with a margin at each side.
    [[nodiscard]] QFont TextFont() const;

    static constexpr int kMargin = 3;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace window
