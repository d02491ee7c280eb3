// SPDX-License-Identifier: MIT
// An invisible notification that hands each verdict to screen readers.
#pragma once

#include <QWidget>

namespace window {

// The verdict lands in the message box while the focus stays in a list, so a screen reader
// would not read it. Qt 6.4 has no announcement call; what its AT-SPI bridge does pass on is
// an object with the notification role appearing, as "showing" from a notification whose
// name is the verdict, and screen readers present that. So this widget has no size and
// reappears, named anew, for each verdict.
class VerdictNotification final : public QWidget {
    Q_OBJECT

public:
    explicit VerdictNotification(QWidget* parent);

    // Says the text, a verdict made one line (SpokenText).
    void Announce(const QString& spoken);
};

} // namespace window
