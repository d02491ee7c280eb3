// SPDX-License-Identifier: MIT
#include "Startup.h"

#include "ErrorReport.h"
#include "ProgramInfo.h"
#include "Trevika.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QTranslator>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <span>

namespace window {

void InstallQtCatalogue() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/translations/qtbase_bg.qm"))) {
        QCoreApplication::installTranslator(translator);
    }
}

void OpenFromCommandLine(Trevika& trevika, const QStringList& files) {
    if (!files.isEmpty()) {
        trevika.OpenTable(files.first());
    }
}

namespace {

// "Trevika 1.00, Qt 6.4.2+dfsg-10 (Debian qt6-base)": the version that "trevika --version" says,
// on standard output, or where Windows gives a program none, in a message box.
void SetIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Trevika"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1, %2").arg(QLatin1String(kVersion), QLatin1String(kQtVersion)));
}

// Reads the options and the file named after them. Qt's arguments, not argv: on Windows argv
// holds a Cyrillic file name in the system's code page, which is not Bulgarian everywhere,
// while Qt reads the wide command line.
QStringList ReadCommandLine() {
    QCommandLineParser parser;
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("таблица за отваряне"));
    parser.process(QCoreApplication::arguments());
    return parser.positionalArguments();
}

} // namespace

int RunTrevika(int argc, char* argv[], const std::function<void(Trevika&)>& shown) {
    // The version is told without a display, as a console or an administrator's script asks.
    const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
    if (std::any_of(arguments.begin(), arguments.end(),
                    [](const char* argument) { return std::strcmp(argument, "--version") == 0; })) {
        const QCoreApplication core(argc, argv);
        SetIdentity();
        // Tells the version and ends the program.
        ReadCommandLine();
    }
    QApplication application(argc, argv);
    SetIdentity();
    const QStringList files = ReadCommandLine();
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
    OpenFromCommandLine(*trevika, files);
    if (shown) {
        shown(*trevika);
    }
    return QApplication::exec();
}

} // namespace window
