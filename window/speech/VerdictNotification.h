// SPDX-License-Identifier: MIT
// What screen readers are told without the focus moving: each verdict, and where they would not
// read it themselves, a dialog's first line as it opens. Each platform's accessibility bridge
// passes on something else, so the telling has one file per platform:
// VerdictNotificationAtspi.cpp (AT-SPI, Linux) and VerdictNotificationUia.cpp (UI Automation,
// Windows).
#pragma once

#include <QWidget>

namespace window {

// The verdict lands in the message box while the focus stays in a list, so a screen reader
// would not read it. Qt 6.4 has no announcement call. Its AT-SPI bridge passes on an object
// with the notification role appearing, as "showing" from a notification whose name is the
// verdict, and screen readers present that: there this widget has no size and reappears, named
// anew, for each verdict. Its UI Automation bridge turns a value change whose value is a text
// into a notification event, which Windows screen readers speak: there this widget raises one.
class VerdictNotification final : public QWidget {
    Q_OBJECT

public:
    explicit VerdictNotification(QWidget* parent);

    // Says the text, a verdict made one line (SpokenText).
    void Announce(const QString& spoken);
};

// Says the first line of a dialog that has just opened where screen readers would not read it
// with the dialog (under UI Automation they say its title and the focused button); elsewhere
// does nothing, so that nothing is heard twice.
void AnnounceOpening(QWidget* dialog, const QString& firstLine);

} // namespace window
