// SPDX-License-Identifier: MIT
#include "ActionGuard.h"

#include "ErrorReport.h"

#include <QString>
#include <exception>

namespace window {

void ActionGuard::Run(const std::function<void()>& action) {
    if (m_failed) {
        return;
    }
    const bool wasRunning = m_running;
    m_running = true;
    try {
        action();
        m_running = wasRunning;
    } catch (const std::exception& error) {
        m_running = wasRunning;
        m_failed = true;
        ReportFatalError(m_window, QString::fromUtf8(error.what()));
    }
}

} // namespace window
