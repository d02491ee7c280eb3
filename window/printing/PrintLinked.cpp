// SPDX-License-Identifier: MIT
// Where Qt is linked statically, Print Support is in the program and printing calls it.
#include "printing/Printer.h"

namespace window {

PrintOutcome Print(const PrintRequest& request) {
    return PrintWithPrintSupport(request);
}

} // namespace window
