// SPDX-License-Identifier: MIT
#include "Startup.h"

#include "ErrorReport.h"
#include "ProgramInfo.h"
#include "Trevika.h"

#include <QApplication>
#include <QFont>
#include <QTranslator>
#include <cstdlib>
#include <exception>
#include <optional>

namespace window {

void InstallQtCatalogue() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/translations/qtbase_bg.qm"))) {
        QCoreApplication::installTranslator(translator);
    }
}

void OpenFromCommandLine(Trevika& trevika, const QStringList& arguments) {
    if (arguments.size() > 1) {
        trevika.OpenTable(arguments.at(1));
    }
}

int RunTrevika(int argc, char* argv[], const std::function<void(Trevika&)>& shown) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevika"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // Lets Wayland desktops match the window with its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    InstallQtCatalogue();

    // The window's font for the whole program, so that no other font is loaded only to be
    // replaced when the window sets its own.
    QApplication::setFont(Trevika::DefinedFont());

    std::optional<Trevika> trevika;
    try {
        trevika.emplace();
    } catch (const std::exception& error) {
        ReportFatalError(nullptr, QString::fromUtf8(error.what()));
        return EXIT_FAILURE;
    }
    trevika->show();
    // Qt's arguments, not argv: on Windows argv holds a Cyrillic file name in the system's
    // code page, which is not Bulgarian everywhere, while Qt reads the wide command line.
    OpenFromCommandLine(*trevika, QCoreApplication::arguments());
    if (shown) {
        shown(*trevika);
    }
    return QApplication::exec();
}

} // namespace window
