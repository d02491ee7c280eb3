// SPDX-License-Identifier: MIT
#include "quiz/ContextMenu.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>

namespace window {
namespace {

constexpr const char* kButtonName = "Меню";
constexpr const char* kButtonToolTip = "Меню (F10)";

} // namespace

ContextMenu::ContextMenu(QWidget* window)
    : QObject(window), m_window(window), m_button(new QToolButton(window)) {
    auto* keys = new QAction(window);
    keys->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    window->addAction(keys);
    connect(keys, &QAction::triggered, this, &ContextMenu::OpenAtFocus);

    m_button->setObjectName(QStringLiteral("MenuButton"));
    m_button->setText(QString::fromUtf8(kButtonName));
    m_button->setAccessibleName(QString::fromUtf8(kButtonName));
    m_button->setToolTip(QString::fromUtf8(kButtonToolTip));
    m_button->setFocusPolicy(Qt::StrongFocus);
    connect(m_button, &QToolButton::clicked, this, &ContextMenu::OpenAtButton);
    auto* buttonKey = new QAction(window);
    buttonKey->setShortcut(QKeySequence(Qt::Key_F10));
    window->addAction(buttonKey);
    connect(buttonKey, &QAction::triggered, this, &ContextMenu::OpenAtButton);
}

void ContextMenu::AddActions(const QList<QAction*>& actions) {
    if (!m_actions.isEmpty()) {
        auto* line = new QAction(this);
        line->setSeparator(true);
        m_actions << line;
    }
    m_actions << actions;
}

void ContextMenu::Exec(const QPoint& globalPos) {
    emit opening();
    QMenu menu(m_window);
    menu.addActions(m_actions);
    menu.exec(globalPos);
}

void ContextMenu::ExtendMenuOf(QPlainTextEdit* text) {
    // A right click reaches the box's viewport, a key's request the box itself.
    m_text = text;
    m_textViewport = text->viewport();
    text->installEventFilter(this);
    m_textViewport->installEventFilter(this);
}

bool ContextMenu::eventFilter(QObject* watched, QEvent* event) {
    // Compared, never called: the filter also sees the box's last events as it is destroyed.
    if (event->type() != QEvent::ContextMenu || m_text == nullptr ||
        (watched != m_text && watched != m_textViewport)) {
        return false;
    }
    // Shown and left to delete itself, as the box shows its own.
    const auto* request = static_cast<QContextMenuEvent*>(event);
    emit opening();
    QMenu* menu = m_text->createStandardContextMenu(request->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    menu->addActions(m_actions);
    menu->popup(request->globalPos());
    return true;
}

void ContextMenu::OpenAtButton() {
    m_button->setDown(true);
    Exec(m_button->mapToGlobal(m_button->rect().bottomLeft()));
    m_button->setDown(false);
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
