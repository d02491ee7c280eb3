// SPDX-License-Identifier: MIT
// The yardsticks for the quiz's start-up: a bare Qt Widgets window with the same kinds of
// controls in the same places, and nothing of the quiz: default font, colours and style, no
// icon, no engine. Built twice: with empty controls, and (BARE_WITH_TEXTS) showing the quiz's
// texts in the quiz's font, to tell what showing the texts costs from what the program adds.
#include "FirstFrame.h"

#ifdef BARE_WITH_TEXTS
#include "quiz/Trevika.h"
#include "quiz/WindowDefinition.h"

#include <SiteTable.h>
#endif

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
#ifdef BARE_WITH_TEXTS
    QApplication::setFont(window::Trevika::DefinedFont());
#endif
    QWidget window;
    window.setFixedSize(641, 345);
    auto* title = new QLabel(QStringLiteral("Title"), &window);
    title->setGeometry(64, 0, 361, 25);
    auto* button = new QPushButton(QStringLiteral("Clear"), &window);
    button->setGeometry(448, 0, 81, 25);
    auto* left = new QLabel(QStringLiteral("Left"), &window);
    left->setGeometry(8, 32, 129, 25);
    auto* right = new QLabel(QStringLiteral("Right"), &window);
    right->setGeometry(144, 32, 489, 25);
    QStringListModel leftItems;
    QStringListModel rightItems;
#ifdef BARE_WITH_TEXTS
    QStringList settlements;
    QStringList sites;
    for (const auto& row : quiz::kSiteTable) {
        settlements << QString::fromUtf8(row.settlement.data(),
                                         static_cast<int>(row.settlement.size()));
        sites << QString::fromUtf8(row.site.data(), static_cast<int>(row.site.size()));
    }
    leftItems.setStringList(settlements);
    rightItems.setStringList(sites);
#endif
    auto* leftList = new QListView(&window);
    leftList->setModel(&leftItems);
    leftList->setGeometry(8, 56, 129, 137);
    auto* rightList = new QListView(&window);
    rightList->setModel(&rightItems);
    rightList->setGeometry(144, 56, 489, 137);
    auto* text = new QPlainTextEdit(&window);
    text->setGeometry(8, 216, 625, 121);
#ifdef BARE_WITH_TEXTS
    text->setPlainText(QString::fromUtf8(window::kTaskText));
#endif
    window.show();
    startupbench::ExitAfterFirstFrame(window);
    return QApplication::exec();
}
