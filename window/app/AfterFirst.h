// SPDX-License-Identifier: MIT
// An action run once, from the event loop, after the first event of a kind.
#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

namespace window {

// Owned by the watched object, and gone once the action is queued. Examples: an Expose that
// shows the window (a message box shown before the window system placed the window would be
// centred where the window was not yet), the Paint of the first frame (work that can wait
// never competes with the first frame for the processor), a dialog's activation (the screen
// reader has heard of the focus by then).
class AfterFirst final : public QObject {
public:
    AfterFirst(QObject* watched, QEvent::Type type, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QEvent::Type m_type;
    std::function<void()> m_action;
};

} // namespace window
