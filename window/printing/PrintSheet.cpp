// SPDX-License-Identifier: MIT
#include "printing/Printer.h"

#include <QPrintDialog>
#include <QPrinter>

namespace window {
namespace {

constexpr const char* kNoPrinter = "няма принтер „%1“";
constexpr const char* kNotPrinted = "принтерът не прие листа";

} // namespace

PrintOutcome PrintWithPrintSupport(const PrintRequest& request) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(request.title);
    printer.setCreator(request.title);
    printer.setPageLayout(request.layout);
    if (request.printer.isEmpty()) {
        QPrintDialog dialog(&printer, request.parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        if (dialog.exec() != QDialog::Accepted) {
            return {PrintOutcome::Result::Cancelled, {}};
        }
    } else {
        printer.setPrinterName(request.printer);
        if (!printer.isValid() || printer.printerName() != request.printer) {
            return {PrintOutcome::Result::Failed,
                    QString::fromUtf8(kNoPrinter).arg(request.printer)};
        }
        printer.setPageLayout(request.layout);
    }
    if (!request.paint(printer)) {
        printer.abort();
        return {PrintOutcome::Result::Cancelled, {}};
    }
    if (printer.printerState() == QPrinter::Error) {
        return {PrintOutcome::Result::Failed, QString::fromUtf8(kNotPrinted)};
    }
    return {PrintOutcome::Result::Printed, {}};
}

} // namespace window
