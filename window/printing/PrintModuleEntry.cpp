// SPDX-License-Identifier: MIT
// What the program looks up in the module it loads to print.
#include "printing/Printer.h"

extern "C" Q_DECL_EXPORT void TrevikaPrint(const window::PrintRequest* request,
                                           window::PrintOutcome* outcome) {
    *outcome = window::PrintWithPrintSupport(*request);
}
