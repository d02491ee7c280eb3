// SPDX-License-Identifier: MIT
#include "app/AfterFirst.h"

#include <QTimer>
#include <QWindow>

namespace window {

AfterFirst::AfterFirst(QObject* watched, QEvent::Type type, std::function<void()> action)
    : QObject(watched), m_type(type), m_action(std::move(action)) {
    watched->installEventFilter(this);
}

bool AfterFirst::eventFilter(QObject* watched, QEvent* event) {
    const auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == m_type && (window == nullptr || window->isExposed())) {
        QTimer::singleShot(0, parent(), std::move(m_action));
        deleteLater();
        watched->removeEventFilter(this);
    }
    return false;
}

} // namespace window
