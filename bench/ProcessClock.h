// SPDX-License-Identifier: MIT
// What the system counts of this process: how long since it was started, and its peak memory.
#pragma once

namespace startupbench {

// Since the system created the process, before the program was even loaded.
double MillisecondsSinceExec();
long PeakMemoryKiB();

} // namespace startupbench
