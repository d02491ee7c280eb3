// SPDX-License-Identifier: MIT
#include "speech/VerdictNotification.h"

#include <QAccessibleWidget>

namespace window {
namespace {

QAccessibleInterface* NotificationInterface(const QString& /*className*/, QObject* object) {
    if (auto* notification = qobject_cast<VerdictNotification*>(object)) {
        return new QAccessibleWidget(notification, QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

VerdictNotification::VerdictNotification(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&NotificationInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled)
    setObjectName(QStringLiteral("VerdictNotification"));
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    // Hidden until the first verdict: appearing at start-up would announce nothing.
    setVisible(false);
}

} // namespace window
