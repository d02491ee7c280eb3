// SPDX-License-Identifier: MIT
// What the window tests share: the window as a learner finds it, and reading and clicking lists.
#pragma once

#include "quiz/Trevika.h"

#include <QApplication>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace windowtest {

// A new quiz window, shown and active, or null if it never became active.
inline std::unique_ptr<window::Trevika> ShowWindow() {
    auto trevika = std::make_unique<window::Trevika>();
    trevika->show();
    trevika->activateWindow();
    return QTest::qWaitForWindowActive(trevika.get()) ? std::move(trevika) : nullptr;
}

inline QString Item(const QListView* list, int row) {
    return list->model()->index(row, 0).data().toString();
}

// The row that shows the text, or -1.
inline int RowOf(const QListView* list, const QString& text) {
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        if (Item(list, row) == text) {
            return row;
        }
    }
    return -1;
}

inline int SelectedRow(const QListView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// Clicks the middle of the row, scrolled into view first.
inline void ClickRow(QListView* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), button, {}, list->visualRect(index).center());
}

// Clicks the item with the text; false if the list has none.
inline bool ClickItem(QListView* list, const QString& text) {
    const int row = RowOf(list, text);
    if (row < 0) {
        return false;
    }
    ClickRow(list, row);
    return true;
}

// Runs the check once a menu or modal dialog is up, and then closes it. The timer that waits
// for it is returned, to be deleted when nothing is to show.
inline QTimer* WhenShown(const std::function<void(QWidget*)>& check) {
    auto* poll = new QTimer(QApplication::instance());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, check] {
        QWidget* shown = QApplication::activePopupWidget();
        if (shown == nullptr) {
            shown = QApplication::activeModalWidget();
        }
        if (shown != nullptr) {
            poll->deleteLater();
            poll->stop();
            check(shown);
            shown->close();
        }
    });
    poll->start(10);
    return poll;
}

} // namespace windowtest
