// SPDX-License-Identifier: MIT
#include "PickListView.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <optional>

namespace window {

PickListView::PickListView(QWidget* parent) : QListView(parent) {}

std::optional<QAbstractItemView::CursorAction> PickListView::Browsing(int key) {
    switch (key) {
    case Qt::Key_Up:
        return MoveUp;
    case Qt::Key_Down:
        return MoveDown;
    case Qt::Key_PageUp:
        return MovePageUp;
    case Qt::Key_PageDown:
        return MovePageDown;
    case Qt::Key_Home:
        return MoveHome;
    case Qt::Key_End:
        return MoveEnd;
    default:
        return std::nullopt;
    }
}

void PickListView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier) {
        if (const auto action = Browsing(event->key())) {
            const QModelIndex current = moveCursor(*action, Qt::NoModifier);
            if (current.isValid()) {
                selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
                scrollTo(current);
            }
            event->accept();
            return;
        }
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && modifiers == Qt::NoModifier && currentIndex().isValid()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace window
