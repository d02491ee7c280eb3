// SPDX-License-Identifier: MIT
#include "ErrorReport.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdlib>

namespace window {

void ReportFatalError(QWidget* parent, const QString& error) {
    QMessageBox::critical(parent, QCoreApplication::applicationName(),
                          QStringLiteral("Програмата спира поради грешка:\n%1").arg(error));
    // Queued, so that it ends the event loop also when the error came before the loop began.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(EXIT_FAILURE); },
        Qt::QueuedConnection);
}

} // namespace window
