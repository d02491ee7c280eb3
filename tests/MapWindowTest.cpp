// SPDX-License-Identifier: MIT
// The map beside the quiz: where a checked pair is, in colours, in words and to a screen
// reader; the review's lines; a teacher's table without regions; a round answered on the map
// with the mouse and the keys, to its review and its practice.
#include "map/MapWindow.h"

#include "NotificationRecorder.h"
#include "WindowTestHelpers.h"
#include "map/MapFlow.h"
#include "map/MapView.h"
#include "quiz/Trevika.h"
#include "review/ReviewDialog.h"

#include <QAccessible>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <Regions.h>
#include <deque>
#include <vector>

using namespace windowtest;
using window::MapView;
using window::MapWindow;

namespace {

// The shortest run of arrow keys that leads from one province to another, found over the
// moves the keys make; empty where the two are the same or none leads there.
std::vector<Qt::Key> KeysBetween(const map::ProvinceMap& provinces, int from, int to) {
    struct Move {
        Qt::Key key;
        int dx;
        int dy;
    };
    constexpr Move kMoves[] = {
        {Qt::Key_Right, 1, 0}, {Qt::Key_Left, -1, 0}, {Qt::Key_Down, 0, 1}, {Qt::Key_Up, 0, -1}};
    std::vector<std::pair<int, Qt::Key>> cameBy(static_cast<std::size_t>(provinces.Count()),
                                                {-1, Qt::Key_unknown});
    std::deque<int> next{from};
    while (!next.empty() && next.front() != to) {
        const int at = next.front();
        next.pop_front();
        for (const Move& move : kMoves) {
            const int reached = provinces.NeighbourToward(at, move.dx, move.dy);
            if (reached >= 0 && reached != from &&
                cameBy[static_cast<std::size_t>(reached)].first < 0) {
                cameBy[static_cast<std::size_t>(reached)] = {at, move.key};
                next.push_back(reached);
            }
        }
    }
    std::vector<Qt::Key> keys;
    for (int at = to; at != from && cameBy[static_cast<std::size_t>(at)].first >= 0;
         at = cameBy[static_cast<std::size_t>(at)].first) {
        keys.insert(keys.begin(), cameBy[static_cast<std::size_t>(at)].second);
    }
    return keys;
}

} // namespace

class MapWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { RecordNotifications(); }
    void init();
    void cleanup() { m_window.reset(); }

    void checkedPairsShowWhereTheyAre();
    void reviewLinesShowWhereTheyAre();
    void tableWithoutRegionsSaysSo();
    void roundIsAnsweredOnTheMap();
    void provincesAreItemsToAssistiveTechnology();

private:
    [[nodiscard]] MapWindow* Map() const { return m_window->Map()->Window(); }
    // The colour the province is filled with, invalid for the land's own.
    [[nodiscard]] QColor ColourOf(const char* code) const;
    void Check(const char* settlement, const char* site);
    void Choose(int province);

    std::unique_ptr<window::Trevika> m_window;
};

void MapWindowTest::init() {
    m_window = ShowWindow();
    QVERIFY(m_window != nullptr);
    m_window->Map()->Open();
    QVERIFY(QTest::qWaitForWindowExposed(Map()));
    Notifications().clear();
    Focused().clear();
}

QColor MapWindowTest::ColourOf(const char* code) const {
    const MapView* view = Map()->View();
    return view->FillOf(view->Provinces().Find(code));
}

void MapWindowTest::Check(const char* settlement, const char* site) {
    QVERIFY(ClickItem(m_window->List1(0), QString::fromUtf8(settlement)));
    QVERIFY(ClickItem(m_window->List1(1), QString::fromUtf8(site)));
}

void MapWindowTest::Choose(int province) {
    MapView* view = Map()->View();
    QTest::mouseClick(view, Qt::LeftButton, {},
                      view->ToWidget(view->Provinces().InnerPoint(province)).toPoint());
}

// A wrong pair shows where the settlement's own site is and where the site really is, a right
// one its province; the line under the map says it, and follows the verdict to a screen reader.
void MapWindowTest::checkedPairsShowWhereTheyAre() {
    Check("Ямбол", "Антична римска „Вила Армира“");
    const QString wrong = QStringLiteral("Селището: област Ямбол. Обектът: област Хасково.");
    QCOMPARE(Map()->Line()->text(), wrong);
    QVERIFY(Map()->Legend()->isVisible());
    QCOMPARE(ColourOf("BG-28"), MapWindow::kSettlement);
    QCOMPARE(ColourOf("BG-26"), MapWindow::kSite);
    Check("Мелник", "Кордопулова къща");
    QCOMPARE(Map()->Line()->text(), QStringLiteral("Селището и обектът: област Благоевград."));
    QVERIFY(!Map()->Legend()->isVisible());
    QCOMPARE(ColourOf("BG-01"), MapWindow::kPair);
    QVERIFY(!ColourOf("BG-28").isValid());
    QCOMPARE(Notifications(),
             QStringList({QStringLiteral("Грешно Ямбол забележителност Антична римска „Вила "
                                         "Армира“ ") +
                              wrong,
                          QStringLiteral("Вярно  селище Мелник забележителност Кордопулова къща "
                                         "област Благоевград Селището и обектът: област "
                                         "Благоевград.")}));
    // Put away, the map shows nothing more and adds nothing to what is said.
    QTest::keyClick(Map()->View(), Qt::Key_Escape);
    QVERIFY(!Map()->isVisible());
    Check("Петрич", "Самуилова крепост");
    QCOMPARE(Notifications().size(), 3);
    QCOMPARE(Notifications().last(), QStringLiteral("Вярно  селище Петрич забележителност "
                                                    "Самуилова крепост област Благоевград"));
}

// Moving through the review's missed pairs shows each on the map.
void MapWindowTest::reviewLinesShowWhereTheyAre() {
    // Each settlement from the top with the last site: 60 checks, all but one wrong.
    while (m_window->List1(0)->model()->rowCount() > 0) {
        ClickRow(m_window->List1(0), 0);
        ClickRow(m_window->List1(1), m_window->List1(1)->model()->rowCount() - 1);
    }
    window::ReviewDialog* review = m_window->Review();
    QVERIFY(review != nullptr);
    review->Missed()->setCurrentRow(1);
    QCOMPARE(review->Missed()->currentItem()->text().left(6), QStringLiteral("Балчик"));
    QCOMPARE(Map()->Line()->text(), QStringLiteral("Селището и обектът: област Добрич."));
    QCOMPARE(ColourOf("BG-08"), MapWindow::kPair);
    review->reject();
}

void MapWindowTest::tableWithoutRegionsSaysSo() {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Реки.csv"));
    QFile csv(file);
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("река;влива се в\nИскър;Дунав\nМарица;Бяло море\n");
    csv.close();
    QVERIFY(m_window->OpenTable(file));
    QCOMPARE(Map()->Line()->text(), QStringLiteral("Таблицата няма колона „област“"));
    Check("Искър", "Дунав");
    QCOMPARE(Map()->Line()->text(), QStringLiteral("Таблицата няма колона „област“"));
    QCOMPARE(Notifications().last(), QStringLiteral("Вярно  река Искър влива се в Дунав"));
}

// Every site once: the first answered wrong by a click, the second right by the keys, the rest
// right by clicks; then the review, and a practice of the one missed.
void MapWindowTest::roundIsAnsweredOnTheMap() {
    QTest::mouseClick(Map()->RoundButton(), Qt::LeftButton);
    const map::MapRound* round = m_window->Map()->Round();
    QVERIFY(round != nullptr);
    MapView* view = Map()->View();
    const map::ProvinceMap& provinces = view->Provinces();
    QCOMPARE(view, QApplication::focusWidget());
    const map::MapQuestion first = round->Current();
    QCOMPARE(Map()->Question()->text(),
             QStringLiteral("Къде е: %1?").arg(QString::fromStdString(first.site)));
    QCOMPARE(Notifications().last(), Map()->Question()->text());
    const int wrong = provinces.Neighbours(first.province).front();
    Choose(wrong);
    QCOMPARE(Map()->Line()->text().left(8), QStringLiteral("Грешно: "));
    QCOMPARE(Map()->Score()->text(), QStringLiteral("Верни: 0 от 1"));
    QVERIFY(Notifications().last().startsWith(Map()->Line()->text() + QStringLiteral(" Къде е: ")));

    // From where the keys start to the province asked for, by the fewest arrow keys.
    const int target = round->Current().province;
    QTest::keyClick(view, Qt::Key_Right);
    for (const Qt::Key key : KeysBetween(provinces, view->Current(), target)) {
        QTest::keyClick(view, key);
    }
    QCOMPARE(view->Current(), target);
    // Each move is read as a list's current item is: by the province's name, not a notice.
    const QString region = QString::fromStdString(map::RegionText(provinces, target));
    QCOMPARE(Focused().last(), region);
    QVERIFY(!Notifications().contains(region));
    QAccessibleInterface* accessibleMap = QAccessible::queryAccessibleInterface(view);
    QCOMPARE(accessibleMap->focusChild()->text(QAccessible::Name), region);
    QVERIFY(accessibleMap->focusChild()->state().focused);
    QTest::keyClick(view, Qt::Key_Space);
    QCOMPARE(Map()->Line()->text().left(7), QStringLiteral("Вярно: "));
    QCOMPARE(ColourOf(provinces.Provinces()[target].code.c_str()), MapView::kRight);
    QVERIFY(accessibleMap->child(target)->state().selected);

    // Assistive technology's press answers as a click does.
    QAccessibleInterface* asked = accessibleMap->child(round->Current().province);
    asked->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(Map()->Line()->text().left(7), QStringLiteral("Вярно: "));
    QCOMPARE(Map()->Score()->text(), QStringLiteral("Верни: 2 от 3"));

    while (!round->Over()) {
        if (round->Answered() == 59) {
            // The review comes up as the last answer goes in.
            WhenShown([](QWidget* shown) {
                auto* review = qobject_cast<window::ReviewDialog*>(shown);
                QVERIFY(review != nullptr);
                QCOMPARE(review->Score()->text(), QStringLiteral("Край: 59 от 60"));
                QCOMPARE(review->Missed()->count(), 1);
                QTest::mouseClick(review->Practise(), Qt::LeftButton);
            });
        }
        Choose(round->Current().province);
    }
    QTRY_VERIFY(m_window->Map()->Round() != nullptr && m_window->Map()->Round()->Practice());
    QCOMPARE(m_window->Map()->Round()->Total(), 1);
    QCOMPARE(m_window->Map()->Round()->Current(), first);
    QCOMPARE(Map()->Score()->text(), QStringLiteral("Упражнение"));
}

// Assistive technology finds the 28 provinces as the items of a list, each named, in its place
// on the screen: where it says a province is, the province is drawn.
void MapWindowTest::provincesAreItemsToAssistiveTechnology() {
    MapView* view = Map()->View();
    const map::ProvinceMap& provinces = view->Provinces();
    QAccessibleInterface* accessibleMap = QAccessible::queryAccessibleInterface(view);
    QCOMPARE(accessibleMap->role(), QAccessible::List);
    QCOMPARE(accessibleMap->childCount(), provinces.Count());
    // Each province in a colour of its own, to see which one is drawn where.
    const auto colourOf = [](int province) {
        return QColor(40 + (province * 7), 90, 160);
    };
    QHash<QRgb, int> provinceOf;
    for (int i = 0; i < provinces.Count(); ++i) {
        view->Fill(i, colourOf(i));
        provinceOf.insert(colourOf(i).rgb(), i);
    }
    const QImage drawn = view->grab().toImage();
    const QRect screen(view->mapToGlobal(QPoint(0, 0)), view->size());
    QSet<QString> names;
    for (int i = 0; i < accessibleMap->childCount(); ++i) {
        QAccessibleInterface* province = accessibleMap->child(i);
        QCOMPARE(province->role(), QAccessible::ListItem);
        QCOMPARE(province->parent(), accessibleMap);
        QCOMPARE(accessibleMap->indexOfChild(province), i);
        names << province->text(QAccessible::Name);
        const QRect box = province->rect();
        QVERIFY(screen.contains(box));
        QVERIFY(province->state().selected);
        QCOMPARE(accessibleMap->childAt(box.center().x(), box.center().y()), province);
        // Around the box's centre the province's own colour is drawn, more than any other
        // province's (a name may be written over some of it).
        const QPoint centre = view->mapFromGlobal(box.center());
        int own = 0;
        int others = 0;
        for (int dx = -4; dx <= 4; ++dx) {
            for (int dy = -4; dy <= 4; ++dy) {
                const int drawnThere = provinceOf.value(drawn.pixel(centre + QPoint(dx, dy)), -1);
                own += drawnThere == i ? 1 : 0;
                others += drawnThere >= 0 && drawnThere != i ? 1 : 0;
            }
        }
        QVERIFY2(own > others, qPrintable(province->text(QAccessible::Name)));
    }
    QSet<QString> want;
    for (int i = 0; i < provinces.Count(); ++i) {
        want << QString::fromStdString(map::RegionText(provinces, i));
    }
    QCOMPARE(names, want);
}

QTEST_MAIN(MapWindowTest)
#include "MapWindowTest.moc"
