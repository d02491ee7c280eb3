// SPDX-License-Identifier: MIT
// The window's context menu: what it offers, and the keys that open it.
#pragma once

#include <QList>
#include <QObject>
#include <QPoint>

class QAction;
class QWidget;

namespace window {

// Opened by a right click anywhere the window does not have a menu of its own, by the Menu key
// and by Shift+F10, which Qt leaves unanswered on Linux. The keys open it where the focus is,
// through the focused control, so the message box shows its own menu as a right click there
// would.
class ContextMenu final : public QObject {
    Q_OBJECT

public:
    explicit ContextMenu(QWidget* window);

    void AddActions(const QList<QAction*>& actions) { m_actions << actions; }
    // Shows the menu at the place on the screen, and returns once it has closed.
    void Exec(const QPoint& globalPos) const;

private:
    void OpenAtFocus();

    QWidget* m_window;
    QList<QAction*> m_actions;
};

} // namespace window
