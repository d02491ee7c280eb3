// SPDX-License-Identifier: MIT
#include "app/ActionGuard.h"

#include "app/ErrorReport.h"

#include <QString>
#include <QThread>
#include <exception>

namespace window {

bool ActionGuard::Run(const std::function<void()>& action) {
    if (m_failed) {
        return false;
    }
    // An action inside another, with no event loop between them (a modal dialog runs one),
    // hands its error to the outer one, which is cut short too; any other reports it here,
    // before the error could reach an event loop.
    const int loopLevel = QThread::currentThread()->loopLevel();
    const bool inner = m_running && m_loopLevel == loopLevel;
    const bool wasRunning = m_running;
    const int outerLoopLevel = m_loopLevel;
    m_running = true;
    m_loopLevel = loopLevel;
    try {
        action();
    } catch (const std::exception& error) {
        m_failed = true;
        m_running = wasRunning;
        m_loopLevel = outerLoopLevel;
        if (inner) {
            throw;
        }
        ReportFatalError(m_window, QString::fromUtf8(error.what()));
        return false;
    }
    m_running = wasRunning;
    m_loopLevel = outerLoopLevel;
    return !m_failed;
}

} // namespace window
