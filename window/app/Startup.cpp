// SPDX-License-Identifier: MIT
#include "app/Startup.h"

#include "app/AfterFirst.h"
#include "app/ErrorReport.h"
#include "app/ProgramInfo.h"
#include "quiz/Trevika.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QTranslator>
#include <QWindow>
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
// Help, the version and a wrong option are answered in Bulgarian, in Qt's own words from its
// catalogue, and end the program.
QStringList ReadCommandLine() {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("%1: въпроси по география на националните туристически обекти.\n"
                       "Отваря таблица от файл .xlsx, .ods или .csv, ако е дадена.")
            .arg(QString::fromUtf8(kProductName)));
    // Qt's own help option is described in English whatever the catalogue.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Показва тази помощ."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("ФАЙЛ"), QStringLiteral("таблица за отваряне"),
                                 QStringLiteral("[ФАЙЛ]"));
    parser.process(QCoreApplication::arguments());
    if (parser.isSet(help)) {
        parser.showHelp(EXIT_SUCCESS);
    }
    return parser.positionalArguments();
}

} // namespace

int RunTrevika(int argc, char* argv[], const std::function<void(Trevika&)>& shown) {
    // Options are read without a display, as a console or an administrator's script asks for
    // help or the version; each of them ends the program, as a wrong one does.
    const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
    if (std::any_of(arguments.begin() + 1, arguments.end(),
                    [](const char* argument) { return argument[0] == '-'; })) {
        const QCoreApplication core(argc, argv);
        SetIdentity();
        InstallQtCatalogue();
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
    trevika->UseProgress(Progress::DefaultFile());
    trevika->show();
    Trevika* window = &*trevika;
    // The progress store once the first frame is painted; anything that needs it sooner waits.
    new AfterFirst(window, QEvent::Paint, [window] { window->ProgressFlow()->Open(); });
    if (!files.isEmpty()) {
        new AfterFirst(window->windowHandle(), QEvent::Expose,
                       [window, files] { OpenFromCommandLine(*window, files); });
    }
    if (shown) {
        shown(*trevika);
    }
    return QApplication::exec();
}

} // namespace window
