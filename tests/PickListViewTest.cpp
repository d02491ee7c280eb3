// SPDX-License-Identifier: MIT
// Browsing a pick list by keyboard without picking, then picking, in the real window.
#include "quiz/PickListView.h"

#include "WindowTestHelpers.h"
#include "quiz/Trevika.h"

#include <QAccessible>
#include <QApplication>
#include <QListView>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <QTest>
#include <memory>

using window::Trevika;
using namespace windowtest;

namespace {

QString Current(const QListView* list) {
    return list->currentIndex().data().toString();
}

} // namespace

class PickListViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void browsesWithoutPicking_data();
    void browsesWithoutPicking();
    void plainKeysStillPick();
    void tellsScreenReadersHowToBrowse();
    void measuresTheModelAndFontItShows();

private:
    std::unique_ptr<Trevika> m_window;
};

void PickListViewTest::init() {
    m_window = ShowWindow();
    QVERIFY(m_window != nullptr);
}

// With Мелник picked, the sites are browsed from the top and the one reached is picked.
void PickListViewTest::browsesWithoutPicking_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("reached");
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("verdict");
    const QString wrong = QStringLiteral("Грешно Мелник забележителност %1\n");
    QTest::newRow("three_downs_then_space")
        << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}
        << QStringLiteral("Археологически резерват „Абритус“") << int(Qt::Key_Space)
        << wrong.arg(QStringLiteral("Археологически резерват „Абритус“"));
    QTest::newRow("end_up_then_enter")
        << QList<int>{Qt::Key_End, Qt::Key_Up}
        << QStringLiteral("Храм-паметник „Свети Александър Невски“ с криптата")
        << int(Qt::Key_Return)
        << wrong.arg(QStringLiteral("Храм-паметник „Свети Александър Невски“ с криптата"));
    QTest::newRow("page_down_home_down_down")
        << QList<int>{Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Down, Qt::Key_Down}
        << QStringLiteral("Антична римска „Вила Армира“") << int(Qt::Key_Enter)
        << wrong.arg(QStringLiteral("Антична римска „Вила Армира“"));
}

void PickListViewTest::browsesWithoutPicking() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, reached);
    QFETCH(int, pick);
    QFETCH(QString, verdict);
    QListView* settlements = m_window->List1(0);
    QListView* sites = m_window->List1(1);
    QVERIFY(qobject_cast<window::PickListView*>(sites) != nullptr);
    // Мелник by typing its first letters, as a learner may.
    settlements->setFocus(Qt::TabFocusReason);
    for (const QString& letter : {QStringLiteral("М"), QStringLiteral("е")}) {
        QTest::sendKeyEvent(QTest::Click, settlements, Qt::Key_unknown, letter, Qt::NoModifier);
    }
    QCOMPARE(Current(settlements), QStringLiteral("Мелник"));
    QCOMPARE(SelectedRow(settlements), settlements->currentIndex().row());

    const QString task = m_window->Text1(0)->toPlainText();
    sites->setFocus(Qt::TabFocusReason);
    for (const int key : keys) {
        QTest::keyClick(sites, static_cast<Qt::Key>(key), Qt::ControlModifier);
        QCOMPARE(SelectedRow(sites), -1);
    }
    QCOMPARE(Current(sites), reached);
    QCOMPARE(m_window->Text1(0)->toPlainText(), task);
    QCOMPARE(sites->model()->rowCount(), 60);

    QTest::keyClick(sites, static_cast<Qt::Key>(pick));
    QCOMPARE(m_window->Text1(0)->toPlainText(), verdict);
    QCOMPARE(sites->model()->rowCount(), 59);
}

// Without Ctrl an arrow key picks, as a click does, from wherever browsing left the list.
void PickListViewTest::plainKeysStillPick() {
    QListView* sites = m_window->List1(1);
    sites->setFocus(Qt::TabFocusReason);
    QTest::keyClick(sites, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(sites, Qt::Key_Down);
    QCOMPARE(SelectedRow(sites), 2);
    QCOMPARE(m_window->Quiz().Sites().ListIndex(), 2);
    m_window->List1(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_window->List1(0), Qt::Key_End);
    QCOMPARE(m_window->Text1(0)->toPlainText(),
             QStringLiteral("Грешно Ямбол забележителност Антична римска „Вила Армира“\n"));
}

void PickListViewTest::tellsScreenReadersHowToBrowse() {
    for (const int member : {0, 1}) {
        QCOMPARE(m_window->List1(member)->accessibleDescription(),
                 QStringLiteral("Ctrl и стрелките: разглеждане; интервал: избор"));
    }
}

// Every item is laid out as wide as the widest text of the model shown, in the font shown.
void PickListViewTest::measuresTheModelAndFontItShows() {
    const QString longText = QStringLiteral("Жълтата дюля, що бе паднала в шубрака");
    QStringListModel former({QStringLiteral("а")});
    QStringListModel shown({QStringLiteral("б"), longText});
    window::PickListView view;
    view.setModel(&former);
    view.setModel(&shown);
    const QModelIndex first = shown.index(0, 0);
    const int width = view.sizeHintForIndex(first).width();
    QVERIFY(width >= view.fontMetrics().horizontalAdvance(longText));
    // What happens to a model no longer shown changes nothing.
    former.setStringList({QStringLiteral("в")});
    QCOMPARE(view.sizeHintForIndex(first).width(), width);
    QFont larger = view.font();
    larger.setPointSizeF(larger.pointSizeF() * 3);
    view.setFont(larger);
    QVERIFY(view.sizeHintForIndex(first).width() >=
            QFontMetrics(larger).horizontalAdvance(longText));
}

QTEST_MAIN(PickListViewTest)
#include "PickListViewTest.moc"
