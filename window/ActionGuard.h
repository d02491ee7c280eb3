// SPDX-License-Identifier: MIT
// The one place where the learner's actions reach the engine, and where its errors are caught.
#pragma once

#include <functional>

class QWidget;

namespace window {

// An error that escapes the engine must not cross Qt's event loop: it is reported over the
// window, and the program ends with a failure status; nothing runs after it.
class ActionGuard final {
public:
    explicit ActionGuard(QWidget* window) : m_window(window) {}

    void Run(const std::function<void()>& action);
    // An action is running: the changes of selection that the engine makes in the views are
    // not the learner's.
    [[nodiscard]] bool Running() const { return m_running; }

private:
    QWidget* m_window;
    bool m_running = false;
    bool m_failed = false;
};

} // namespace window
