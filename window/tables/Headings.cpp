// SPDX-License-Identifier: MIT
#include "tables/Headings.h"

#include "quiz/WindowDefinition.h"

#include <Quiz.h>

namespace window {

QStringList Headings(const quiz::Quiz& quiz) {
    QStringList headings;
    for (const char* caption : kLabel1Captions) {
        headings << QString::fromUtf8(caption);
    }
    if (!quiz.BuiltIn()) {
        headings[0] = QString::fromStdString(quiz.Table().title);
        for (int member = 1; member < 3; ++member) {
            QString heading = QString::fromStdString(quiz.Table().columns.at(member - 1));
            if (!heading.isEmpty()) {
                heading[0] = heading[0].toUpper();
            }
            headings[member] = heading;
        }
    }
    return headings;
}

} // namespace window
