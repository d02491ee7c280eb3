// SPDX-License-Identifier: MIT
// Printing a sheet through Qt Print Support: the print dialog with the system's printers and
// paper sizes, then the pages. On Linux Print Support is a module of its own, loaded when a
// sheet is first printed (PrintModule.cpp), so that starting the program never loads it; the
// Windows build links it in (PrintLinked.cpp). PrintSheet.cpp is the printing itself.
#pragma once

#include <QPageLayout>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace window {

struct PrintRequest {
    QWidget* parent = nullptr;
    QString title;
    // A printer by name, printed to without asking; empty, the print dialog asks.
    QString printer;
    // The sheet's paper and margins, which the dialog offers first.
    QPageLayout layout;
    // Paints every page onto the printer, set up for the sheet; false once cancelled.
    std::function<bool(QPagedPaintDevice&)> paint;
};

struct PrintOutcome {
    enum class Result { Printed, Cancelled, Failed };
    Result result = Result::Failed;
    // Why not, where it failed.
    QString fault;
};

[[nodiscard]] PrintOutcome Print(const PrintRequest& request);
// The printing itself, wherever it is linked.
[[nodiscard]] PrintOutcome PrintWithPrintSupport(const PrintRequest& request);

} // namespace window
