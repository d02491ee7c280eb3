// SPDX-License-Identifier: MIT
// The one place where the learner's actions reach the engine, and where its errors are caught.
#pragma once

#include <functional>

class QWidget;

namespace window {

// Every path from Qt's event loop into code that can throw (the engine, the readers of files,
// the store, the map) runs through Run: an exception must not cross the event loop, where it
// would end the program with no word. An error that escapes an action is reported over the
// window, once, and the program ends with a failure status. Nothing runs after it: the rest of
// an action that called the one that failed is cut short too, and every later Run does
// nothing, so that no code meets the state that the error left half made. (An action that a
// modal dialog's event loop runs inside another reports its error itself; the one around it
// is stopped by the report's end of the program, not at once.)
class ActionGuard final {
public:
    explicit ActionGuard(QWidget* window) : m_window(window) {}

    // True when the action ran to its end.
    bool Run(const std::function<void()>& action);
    // A slot for a signal: the action, run through the guard.
    [[nodiscard]] std::function<void()> Guarded(std::function<void()> action) {
        return [this, action = std::move(action)] {
            Run(action);
        };
    }

private:
    QWidget* m_window;
    bool m_running = false;
    // The event loop's depth where the running action started.
    int m_loopLevel = 0;
    bool m_failed = false;
};

} // namespace window
