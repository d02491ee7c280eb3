// SPDX-License-Identifier: MIT
// Print Support as a module loaded when a sheet is first printed: beside the program in the
// build tree, or in the program's library folder where it is installed.
#include "printing/Printer.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace window {
namespace {

constexpr const char* kNoModule = "печатът не е наличен: %1";
using PrintFunction = void (*)(const PrintRequest*, PrintOutcome*);

} // namespace

PrintOutcome Print(const PrintRequest& request) {
    static PrintFunction print = nullptr;
    static QString fault;
    if (print == nullptr) {
        const QString folder = QCoreApplication::applicationDirPath();
        for (const QString& path :
             {folder + QStringLiteral("/" TREVIKA_PRINT_MODULE),
              folder + QStringLiteral("/" TREVIKA_PRINT_MODULE_DIR "/" TREVIKA_PRINT_MODULE)}) {
            QLibrary library(path);
            print = reinterpret_cast<PrintFunction>(library.resolve("TrevikaPrint"));
            if (print != nullptr) {
                break;
            }
            fault = library.errorString();
        }
    }
    if (print == nullptr) {
        return {PrintOutcome::Result::Failed, QString::fromUtf8(kNoModule).arg(fault)};
    }
    PrintOutcome outcome;
    print(&request, &outcome);
    return outcome;
}

} // namespace window
