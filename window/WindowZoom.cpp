// SPDX-License-Identifier: MIT
#include "WindowZoom.h"

#include <QAction>
#include <QWidget>
#include <algorithm>
#include <functional>

namespace window {
namespace {

constexpr const char* kEnlargeCaption = "По-едър текст";
constexpr const char* kShrinkCaption = "По-дребен текст";
constexpr const char* kResetCaption = "Обичаен размер на текста";

// Plus is Shift and = on many keyboards, and some keyboards send it with Shift still held.
QList<QKeySequence> Keys(Qt::Key key, Qt::Key other) {
    QList<QKeySequence> keys;
    for (const Qt::Key each : {key, other}) {
        for (const Qt::KeyboardModifiers modifiers :
             {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier,
              Qt::ControlModifier | Qt::KeypadModifier}) {
            keys << QKeySequence(QKeyCombination(modifiers, each));
        }
    }
    return keys;
}

} // namespace

WindowZoom::WindowZoom(QWidget* window) : QObject(window) {
    const auto add = [this, window](const char* caption, const QList<QKeySequence>& keys,
                                    const std::function<std::size_t()>& step) {
        auto* action = new QAction(QString::fromUtf8(caption), window);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        connect(action, &QAction::triggered, this, [this, step] { Step(step()); });
        m_actions << action;
    };
    add(kEnlargeCaption, Keys(Qt::Key_Plus, Qt::Key_Equal),
        [this] { return std::min(m_step + 1, kSteps.size() - 1); });
    add(kShrinkCaption, Keys(Qt::Key_Minus, Qt::Key_Underscore),
        [this] { return m_step == 0 ? 0 : m_step - 1; });
    add(kResetCaption, Keys(Qt::Key_0, Qt::Key_ParenRight), [] { return std::size_t{0}; });
}

void WindowZoom::Step(std::size_t step) {
    if (step != m_step) {
        m_step = step;
        emit scaleChanged(Scale());
    }
}

} // namespace window
