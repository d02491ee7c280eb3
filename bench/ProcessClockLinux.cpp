// SPDX-License-Identifier: MIT
#include "ProcessClock.h"

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

} // namespace

double MillisecondsSinceExec() {
    return (SecondsSinceBoot() - ProcessStartSeconds()) * 1000.0;
}

long PeakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace startupbench
