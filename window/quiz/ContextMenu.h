// SPDX-License-Identifier: MIT
// The window's context menu: what it offers, and the keys that open it.
#pragma once

#include <QList>
#include <QObject>
#include <QPoint>

class QAction;
class QPlainTextEdit;
class QToolButton;
class QWidget;

namespace window {

// Opened by a right click anywhere in the window, by the Menu key and by Shift+F10, which Qt
// leaves unanswered on Linux, and by the menu button at the window's top left and its key, F10.
// The keys open it where the focus is, through the focused control; in the message box its own
// entries, to copy and to select, come first.
class ContextMenu final : public QObject {
    Q_OBJECT

public:
    explicit ContextMenu(QWidget* window);

    // A group of entries, after a line if others came before.
    void AddActions(const QList<QAction*>& actions);
    // Shows the menu at the place on the screen, and returns once it has closed.
    void Exec(const QPoint& globalPos);
    // Puts the menu after the text box's own.
    void ExtendMenuOf(QPlainTextEdit* text);
    [[nodiscard]] QToolButton* Button() const { return m_button; }

signals:
    // The menu is about to open: its entries may bring their texts up to date.
    void opening();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenAtFocus();
    void OpenAtButton();

    QWidget* m_window;
    QToolButton* m_button;
    QPlainTextEdit* m_text = nullptr;
    QWidget* m_textViewport = nullptr;
    QList<QAction*> m_actions;
};

} // namespace window
