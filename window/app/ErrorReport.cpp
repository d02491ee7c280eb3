// SPDX-License-Identifier: MIT
#include "app/ErrorReport.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdlib>

namespace window {

void ReportFatalError(QWidget* parent, const QString& error) {
    // The learner reads the headline; the engine's own text, for whoever fixes it, below.
    QMessageBox report(QMessageBox::Critical, QCoreApplication::applicationName(),
                       QString::fromUtf8(kFatalErrorHeadline), QMessageBox::Ok, parent);
    report.setInformativeText(error);
    report.exec();
    // Queued, so that it ends the event loop also when the error came before the loop began.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(EXIT_FAILURE); },
        Qt::QueuedConnection);
}

} // namespace window
