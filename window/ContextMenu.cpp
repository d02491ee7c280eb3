// SPDX-License-Identifier: MIT
#include "ContextMenu.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

namespace window {

ContextMenu::ContextMenu(QWidget* window) : QObject(window), m_window(window) {
    auto* keys = new QAction(window);
    keys->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    window->addAction(keys);
    connect(keys, &QAction::triggered, this, &ContextMenu::OpenAtFocus);
}

void ContextMenu::Exec(const QPoint& globalPos) const {
    QMenu menu(m_window);
    menu.addActions(m_actions);
    menu.exec(globalPos);
}

void ContextMenu::OpenAtFocus() {
    QWidget* focus = m_window->focusWidget();
    if (focus == nullptr) {
        focus = m_window;
    }
    // At the current item of a list, as the Menu key opens it; elsewhere in the middle.
    QPoint place = focus->rect().center();
    const auto* list = qobject_cast<QAbstractItemView*>(focus);
    if (list != nullptr && list->currentIndex().isValid()) {
        place = list->viewport()->mapTo(focus, list->visualRect(list->currentIndex()).center());
    }
    QContextMenuEvent event(QContextMenuEvent::Keyboard, place, focus->mapToGlobal(place));
    QApplication::sendEvent(focus, &event);
}

} // namespace window
