// SPDX-License-Identifier: MIT
#include "speech/VerdictText.h"

#include <QStringList>

namespace window {

QString ShownText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

QString SpokenText(const std::string& text) {
    QStringList lines;
    for (const QString& line : QString::fromStdString(text).split(QStringLiteral("\r\n"))) {
        if (!line.trimmed().isEmpty()) {
            lines << line.trimmed();
        }
    }
    return lines.join(QLatin1Char(' '));
}

} // namespace window
