// SPDX-License-Identifier: MIT
// Ends a start-up benchmark once its window's first frame is painted, and reports the time.
#pragma once

class QWidget;

namespace startupbench {

// Once `window` has painted its first frame, prints how long that took from the start of the
// process and from main(), and the peak memory so far, then ends the event loop with status 0.
void ExitAfterFirstFrame(QWidget& window);

} // namespace startupbench
