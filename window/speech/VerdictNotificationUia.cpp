// SPDX-License-Identifier: MIT
// Telling screen readers through UI Automation: Qt's bridge raises a notification event
// (UiaRaiseNotificationEvent, "important, most recent") for a value change whose value is a
// text, where a UI Automation client listens; Windows before 10 1709, which lacks that call,
// gets a change of the value property instead. Without a screen reader Qt passes nothing on.
#include "app/AfterFirst.h"
#include "speech/VerdictNotification.h"

#include <QAccessible>
#include <QPointer>

namespace window {
namespace {

void RaiseNotification(QWidget* source, const QString& text) {
    QAccessibleValueChangeEvent event(source, text);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void VerdictNotification::Announce(const QString& spoken) {
    RaiseNotification(this, spoken);
}

// Once the dialog is active: a screen reader stops speaking when the focus moves, and the
// focus moves into the dialog as it activates.
void AnnounceOpening(QWidget* dialog, const QString& firstLine) {
    const auto raise = [dialog = QPointer<QWidget>(dialog), firstLine] {
        if (dialog != nullptr) {
            RaiseNotification(dialog, firstLine);
        }
    };
    if (dialog->isActiveWindow()) {
        raise();
    } else {
        new AfterFirst(dialog, QEvent::WindowActivate, raise);
    }
}

} // namespace window
