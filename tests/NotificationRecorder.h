// SPDX-License-Identifier: MIT
// What window tests hear as a screen reader would: each text a notification told, the
// platform's way, and what took the focus.
#pragma once

#include <QAccessible>
#include <QStringList>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace windowtest {

// The texts told so far: a notification's name as it appeared (AT-SPI), or the text of its
// value change (UI Automation).
inline QStringList& Notifications() {
    static QStringList told;
    return told;
}

// The names of the objects given the focus so far, as a screen reader reads them.
inline QStringList& Focused() {
    static QStringList focused;
    return focused;
}

// Turns accessibility on, as a running screen reader does (without one, Qt raises no
// accessibility events), and records each notification and each focus from then on.
inline void RecordNotifications() {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        QAccessibleInterface* object = event->accessibleInterface();
        if (object != nullptr && event->type() == QAccessible::Focus) {
            Focused() << object->text(QAccessible::Name);
        }
        if (object == nullptr || object->role() != QAccessible::Notification) {
            return;
        }
        if (event->type() == QAccessible::ObjectShow) {
            Notifications() << object->text(QAccessible::Name);
        } else if (event->type() == QAccessible::ValueChanged) {
            Notifications() << static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
        }
    });
}

} // namespace windowtest
