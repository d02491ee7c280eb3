// SPDX-License-Identifier: MIT
// Starts the quiz: one window, then Qt's event loop until the window closes.
#include "ErrorReport.h"
#include "ProgramInfo.h"
#include "Trevika.h"

#include <QApplication>
#include <cstdlib>
#include <exception>
#include <optional>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevika"));
    QApplication::setApplicationVersion(QString::fromLatin1(window::kVersion));
    // Lets Wayland desktops match the window with its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(window::kAppId));

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
