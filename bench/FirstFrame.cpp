// SPDX-License-Identifier: MIT
#include "FirstFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace startupbench {
namespace {

// Seconds since boot at which this process started, from /proc; the kernel counts it in
// clock ticks, usually of 10 ms.
double ProcessStartSeconds() {
    std::ifstream file("/proc/self/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)), {});
    // Fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int number = 3; number <= 22 && fields >> field; ++number) {
    }
    return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double SecondsSinceBoot() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

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
                const double sinceExec = SecondsSinceBoot() - ProcessStartSeconds();
                const auto sinceLoad = std::chrono::duration<double, std::milli>(
                    std::chrono::steady_clock::now() - kLoaded);
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("first frame %.1f ms after exec (10 ms steps), %.2f ms after load; "
                            "peak memory %ld KiB\n",
                            sinceExec * 1000.0, sinceLoad.count(), usage.ru_maxrss);
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
