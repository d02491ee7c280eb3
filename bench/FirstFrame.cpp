// SPDX-License-Identifier: MIT
#include "FirstFrame.h"

#include "ProcessClock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace startupbench {
namespace {

// Taken when the program is loaded, before main() runs.
const auto kLoaded = std::chrono::steady_clock::now();

class FirstFrameFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued, so that the frame is drawn and flushed before the measurement.
            QTimer::singleShot(0, this, [] {
                const auto sinceLoad = std::chrono::duration<double, std::milli>(
                    std::chrono::steady_clock::now() - kLoaded);
                std::printf("first frame %.1f ms after exec, %.2f ms after load; "
                            "peak memory %ld KiB\n",
                            MillisecondsSinceExec(), sinceLoad.count(), PeakMemoryKiB());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

void ExitAfterFirstFrame(QWidget& window) {
    window.installEventFilter(new FirstFrameFilter(&window));
}

} // namespace startupbench
