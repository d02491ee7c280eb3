// SPDX-License-Identifier: MIT
// Starts the quiz: one window, then Qt's event loop until the window closes.
#include "ErrorReport.h"
#include "Trevika.h"

#include <QApplication>
#include <cstdlib>
#include <exception>
#include <optional>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevika"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    std::optional<window::Trevika> trevika;
    try {
        trevika.emplace();
    } catch (const std::exception& error) {
        window::ReportFatalError(nullptr, QString::fromUtf8(error.what()));
        return EXIT_FAILURE;
    }
    trevika->show();
    return QApplication::exec();
}
