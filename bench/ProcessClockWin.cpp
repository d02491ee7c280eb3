// SPDX-License-Identifier: MIT
#include "ProcessClock.h"

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

namespace startupbench {
namespace {

double Milliseconds(FILETIME time) {
    const ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
    return static_cast<double>(ticks.QuadPart) / 10000.0; // 100 ns ticks
}

} // namespace

double MillisecondsSinceExec() {
    FILETIME created{};
    FILETIME unused{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return Milliseconds(now) - Milliseconds(created);
}

long PeakMemoryKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    // K32GetProcessMemoryInfo is kernel32's own, so the benchmark needs no psapi.dll.
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

} // namespace startupbench
