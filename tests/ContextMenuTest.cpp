// SPDX-License-Identifier: MIT
// The window's context menu, opened by the mouse and the keys as a learner opens it.
// Mouse events go through the window system's way in, as a real click does: that is where Qt
// makes a right click into a request for a context menu.
#define QTEST_QPA_MOUSE_HANDLING

#include "WindowTestHelpers.h"
#include "quiz/Trevika.h"

#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <Quiz.h>
#include <memory>
#include <qpa/qwindowsysteminterface.h>

using window::Trevika;
using namespace windowtest;

namespace {

enum class Opening { RightClickOnItem, RightClickBelowItems, MiddleClickOnItem, MenuKey, ShiftF10 };

// Everything of the quiz that a stray pick would change.
QStringList State(Trevika& window) {
    QStringList state;
    for (int member = 0; member < 2; ++member) {
        const QListView* list = window.List1(member);
        QStringList items;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            items << Item(list, row);
        }
        const quiz::PickList& engine =
            member == 0 ? window.Quiz().Settlements() : window.Quiz().Sites();
        state << items.join(QLatin1Char('|'))
              << QStringLiteral("selected %1, current %2, engine %3")
                     .arg(SelectedRow(list))
                     .arg(list->currentIndex().row())
                     .arg(engine.ListIndex());
    }
    return state << window.Text1(0)->toPlainText() << window.Score()->text();
}

// Three pairs, so that a list has room below its items.
std::shared_ptr<const quiz::PairTable> SmallTable() {
    return std::make_shared<const quiz::PairTable>(
        quiz::PairTable{"Реки",
                        {"река", "влива се в", "дължина"},
                        {{"Искър", "Дунав", "368 км"},
                         {"Марица", "Бяло море", "472 км"},
                         {"Янтра", "Дунав", "285 км"}}});
}

} // namespace

class ContextMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void opensWithoutPicking_data();
    void opensWithoutPicking();
    void menuButtonOpensTheSameMenu_data();
    void menuButtonOpensTheSameMenu();

private:
    std::unique_ptr<Trevika> m_window;
};

void ContextMenuTest::init() {
    m_window = ShowWindow();
    QVERIFY(m_window != nullptr);
    m_window->Run([](quiz::Quiz& quiz) { quiz.UseTable(SmallTable()); });
}

void ContextMenuTest::opensWithoutPicking_data() {
    QTest::addColumn<int>("member");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<Opening>("opening");
    QTest::addColumn<bool>("menu");
    const struct {
        const char* name;
        Opening opening;
        bool menu;
    } openings[] = {
        {"right_click_on_item", Opening::RightClickOnItem, true},
        {"right_click_below_items", Opening::RightClickBelowItems, true},
        {"middle_click_on_item", Opening::MiddleClickOnItem, false},
        {"menu_key", Opening::MenuKey, true},
        {"shift_f10", Opening::ShiftF10, true},
    };
    for (const int member : {0, 1}) {
        for (const bool pending : {false, true}) {
            for (const auto& opening : openings) {
                QTest::addRow("%s_in_list_%d%s", opening.name, member,
                              pending ? "_with_a_pick_pending" : "")
                    << member << pending << opening.opening << opening.menu;
            }
        }
    }
}

void ContextMenuTest::opensWithoutPicking() {
    QFETCH(int, member);
    QFETCH(bool, pending);
    QFETCH(Opening, opening);
    QFETCH(bool, menu);
    QListView* list = m_window->List1(member);
    if (pending) {
        ClickRow(m_window->List1(1 - member), 1);
    }
    list->setFocus(Qt::OtherFocusReason);
    // A current item other than the one clicked, so that moving it would show.
    list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                            QItemSelectionModel::NoUpdate);
    const QStringList before = State(*m_window);

    QStringList offered;
    QTimer* waiting = WhenShown([&offered](QWidget* shown) {
        if (const auto* shownMenu = qobject_cast<QMenu*>(shown)) {
            for (const QAction* action : shownMenu->actions()) {
                offered << action->text();
            }
        }
    });
    const QPoint onItem = list->visualRect(list->model()->index(1, 0)).center();
    const QPoint belowItems(onItem.x(), list->viewport()->height() - 3);
    switch (opening) {
    case Opening::RightClickOnItem:
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, onItem);
        break;
    case Opening::RightClickBelowItems:
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, belowItems);
        break;
    case Opening::MiddleClickOnItem:
        QTest::mouseClick(list->viewport(), Qt::MiddleButton, {}, onItem);
        break;
    case Opening::MenuKey: {
        // The key reaches the list, and the window system asks for the menu, as X11 and
        // Windows do for that key.
        QTest::keyClick(list, Qt::Key_Menu);
        const QPoint place = list->mapTo(m_window.get(), list->rect().center());
        QWindowSystemInterface::handleContextMenuEvent(m_window->windowHandle(), false, place,
                                                       m_window->mapToGlobal(place), {});
        QWindowSystemInterface::flushWindowSystemEvents();
        break;
    }
    case Opening::ShiftF10:
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        break;
    }
    if (menu) {
        QTRY_COMPARE(offered.value(0), QStringLiteral("Отвори таблица…"));
    } else {
        QTest::qWait(50);
        delete waiting;
        QVERIFY(offered.isEmpty());
    }
    QCOMPARE(State(*m_window), before);
}

void ContextMenuTest::menuButtonOpensTheSameMenu_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("click") << false;
    QTest::newRow("f10") << true;
}

// The button is named for a screen reader and tells its key; it opens the window's own menu.
void ContextMenuTest::menuButtonOpensTheSameMenu() {
    QFETCH(bool, byKey);
    QToolButton* button = m_window->MenuButton();
    QCOMPARE(button->accessibleName(), QStringLiteral("Меню"));
    QCOMPARE(button->toolTip(), QStringLiteral("Меню (F10)"));
    QStringList offered;
    WhenShown([&offered](QWidget* shown) {
        if (const auto* menu = qobject_cast<QMenu*>(shown)) {
            for (const QAction* action : menu->actions()) {
                offered << action->text();
            }
            const_cast<QMenu*>(menu)->close();
        }
    });
    const QStringList before = State(*m_window);
    if (byKey) {
        QTest::keyClick(m_window->List1(1), Qt::Key_F10);
    } else {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QTRY_COMPARE(offered.value(0), QStringLiteral("Отвори таблица…"));
    QCOMPARE(offered.size(), 13);
    QCOMPARE(offered.mid(3, 3),
             QStringList({QStringLiteral("Изнеси таблицата като…"), QStringLiteral("Печат…"),
                          QStringLiteral("Запиши като PDF…")}));
    QCOMPARE(offered.mid(11),
             QStringList({QStringLiteral("Карта"), QStringLiteral("Кръг на картата")}));
    QCOMPARE(State(*m_window), before);
}

QTEST_MAIN(ContextMenuTest)
#include "ContextMenuTest.moc"
