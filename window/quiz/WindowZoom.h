// SPDX-License-Identifier: MIT
// The scale of the window's text, for a classroom projector: Ctrl+Plus, Ctrl+Minus and Ctrl+0,
// on the main keyboard, with Shift or without, and on the keypad, from 100 % to 300 %.
#pragma once

#include <QList>
#include <QObject>
#include <array>
#include <cstddef>

class QAction;
class QWidget;

namespace window {

class WindowZoom final : public QObject {
    Q_OBJECT

public:
    // The steps of the scale, in per cent.
    static constexpr std::array<int, 7> kSteps{100, 125, 150, 175, 200, 250, 300};

    explicit WindowZoom(QWidget* window);

    [[nodiscard]] qreal Scale() const { return kSteps.at(m_step) / 100.0; }
    // Enlarge, shrink and reset, for the window's menu; their keys work anywhere in the window.
    [[nodiscard]] QList<QAction*> Actions() const { return m_actions; }

signals:
    void scaleChanged(qreal scale);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Up a step, down a step, or back to the first for 0.
    void Zoom(int direction);
    void Step(std::size_t step);

    QWidget* m_window;

    std::size_t m_step = 0;
    QList<QAction*> m_actions;
};

} // namespace window
