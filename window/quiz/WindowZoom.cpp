// SPDX-License-Identifier: MIT
#include "quiz/WindowZoom.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace window {
namespace {

constexpr const char* kEnlargeCaption = "По-едър текст";
constexpr const char* kShrinkCaption = "По-дребен текст";
constexpr const char* kResetCaption = "Обичаен размер на текста";

// The step a key asks for, with Ctrl: Plus is Shift and = on many keyboards, which some send
// with Shift still held, and the keypad has its own Plus and Minus.
std::optional<int> Direction(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    if (!modifiers.testFlag(Qt::ControlModifier) || modifiers.testFlag(Qt::AltModifier) ||
        modifiers.testFlag(Qt::MetaModifier)) {
        return std::nullopt;
    }
    switch (key.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return 1;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return -1;
    case Qt::Key_0:
    case Qt::Key_ParenRight:
        return 0;
    default:
        return std::nullopt;
    }
}

} // namespace

WindowZoom::WindowZoom(QWidget* window) : QObject(window), m_window(window) {
    // One shortcut each, which the menu shows: two shortcuts of one action that the same key
    // matches would make it ambiguous, and Qt would do nothing. The other keys are caught on
    // their way to any control of the window.
    const auto add = [this, window](const char* caption, Qt::Key key, int direction) {
        auto* action = new QAction(QString::fromUtf8(caption), window);
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        connect(action, &QAction::triggered, this, [this, direction] { Zoom(direction); });
        m_actions << action;
    };
    add(kEnlargeCaption, Qt::Key_Plus, 1);
    add(kShrinkCaption, Qt::Key_Minus, -1);
    add(kResetCaption, Qt::Key_0, 0);
    QCoreApplication::instance()->installEventFilter(this);
}

bool WindowZoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != m_window) {
        return false;
    }
    const std::optional<int> direction = Direction(*static_cast<QKeyEvent*>(event));
    if (direction) {
        Zoom(*direction);
    }
    return direction.has_value();
}

void WindowZoom::Zoom(int direction) {
    if (direction == 0) {
        Step(0);
    } else if (direction > 0) {
        Step(std::min(m_step + 1, kSteps.size() - 1));
    } else {
        Step(m_step == 0 ? 0 : m_step - 1);
    }
}

void WindowZoom::Step(std::size_t step) {
    if (step != m_step) {
        m_step = step;
        emit scaleChanged(Scale());
    }
}

} // namespace window
