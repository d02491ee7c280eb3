// SPDX-License-Identifier: MIT
#include "quiz/Trevika.h"

#include "NotificationRecorder.h"
#include "WindowTestHelpers.h"
#include "app/Startup.h"
#include "map/MapFlow.h"
#include "map/MapView.h"
#include "map/MapWindow.h"
#include "review/ReviewDialog.h"
#include "speech/VerdictNotification.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <SiteTable.h>
#include <cmath>
#include <memory>
#include <stdexcept>

using window::Trevika;
using namespace windowtest;

namespace {

const QString kTask = QStringLiteral(
    "БТС е независимо сдружение за отдих, културна, природолюбива и екологична дейност.\n"
    "През 1966 година е създадено движението за обхождане и изучаване на културни, исторически, "
    "географски, археологически, архитектурни паметници в България с регионално, национално и "
    "световно значение.\n"
    "Да се реализира проект, представящ междупредметни връзки между География и Информатика.\n"
    "Тема на проекта: География - национални туристически обекти.\n"
    "В отделни листови полета да се въведат данни за име на селище/местност и название на "
    "популярен туристически обект.\n"
    "Информацията и в двата списъка да е сортирана възходящо. След посочване на ред и от двета "
    "списъка да се изтрива посочената информация и в отделно текстово поле да се извежда "
    "съобщение дали релацията име и време е вярна, както и съпътстваща информация за "
    "съответния туристически обект.\n"
    "Съберете допълнително информация за представяните туристически обекти.\n");

QColor PixelOf(QWidget* widget, QPoint point) {
    return widget->grab().toImage().pixelColor(point);
}

} // namespace

class TrevikaTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_window.reset(); }

    void startsWithFullListsAndTheTask();
    void matchesTheWindowDefinition_data();
    void matchesTheWindowDefinition();
    void paintsItsColoursAndFont();
    void readableUnderADarkTheme();
    void judgesPairsClickedWithTheMouse_data();
    void judgesPairsClickedWithTheMouse();
    void oneSelectionAloneWritesNothing();
    void nextVerdictReplacesTheLast();
    void keyboardAloneCanPlay();
    void screenReaderCanPlay();
    void clearButtonRefillsAndEmpties();
    void wholeGameEmptiesBothLists();
    void longestSiteCanBeRead();
    void builtInListsHaveNoScrollBarBelow();
    void errorIsReportedAndEndsTheProgram_data();
    void errorIsReportedAndEndsTheProgram();
    void keepsTheScoreOfTheRound();
    void widestScoreFits();
    void screenReaderHearsEachVerdict();
    void qtTextsAreBulgarian();
    void refilledListsStartAtTheTop();

private:
    [[nodiscard]] QListView* List1(int member) const { return m_window->List1(member); }
    [[nodiscard]] QString Text() const { return m_window->Text1(0)->toPlainText(); }

    std::unique_ptr<Trevika> m_window;
};

void TrevikaTest::initTestCase() {
    window::InstallQtCatalogue();
    RecordNotifications();
}

void TrevikaTest::init() {
    Notifications().clear();
    m_window = ShowWindow();
    QVERIFY(m_window != nullptr);
}

void TrevikaTest::startsWithFullListsAndTheTask() {
    QCOMPARE(List1(0)->model()->rowCount(), 60);
    QCOMPARE(List1(1)->model()->rowCount(), 60);
    QCOMPARE(Item(List1(0), 0), QStringLiteral("Асеновград"));
    QCOMPARE(Item(List1(0), 59), QStringLiteral("Ямбол"));
    QCOMPARE(Item(List1(1), 0), QStringLiteral("Античен град \"Кабиле\""));
    QCOMPARE(SelectedRow(List1(0)), -1);
    QCOMPARE(SelectedRow(List1(1)), -1);
    QCOMPARE(Text(), kTask);
    QCOMPARE(QString::fromStdString(m_window->Quiz().Text()).size(), 909);
    QCOMPARE(QString::fromStdString(m_window->Quiz().Text()).count(QStringLiteral("\r\n")), 7);
    QCOMPARE(QApplication::focusWidget(), m_window->Text1(0));
    const QList<QSize> iconSizes = m_window->windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("https://trevika.example.org География - "
                                                     "селища, местности, туристически обекти"));
}

void TrevikaTest::matchesTheWindowDefinition_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::newRow("title") << "Label1_0" << QRect(64, 0, 361, 25)
                           << "География - национални туристически обекти";
    QTest::newRow("clear_button") << "Command1_0" << QRect(448, 0, 81, 25) << "Чисти";
    QTest::newRow("settlement_heading") << "Label1_1" << QRect(8, 32, 129, 25) << "Селище/местност";
    QTest::newRow("site_heading") << "Label1_2" << QRect(144, 32, 489, 25)
                                  << "Име на забележителност/туристически обект";
    QTest::newRow("settlements") << "List1_0" << QRect(8, 56, 129, 137) << "Селище/местност";
    QTest::newRow("sites") << "List1_1" << QRect(144, 56, 489, 137)
                           << "Име на забележителност/туристически обект";
    QTest::newRow("message_box") << "Text1_0" << QRect(8, 216, 625, 121) << "Съобщение";
}

// Captions for labels and the button; accessible names for the lists and the message box.
void TrevikaTest::matchesTheWindowDefinition() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QCOMPARE(m_window->size(), QSize(641, 345));
    auto* widget = m_window->findChild<QWidget*>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(button->text(), caption);
    } else {
        QCOMPARE(widget->accessibleName(), caption);
    }
}

void TrevikaTest::paintsItsColoursAndFont() {
    QCOMPARE(PixelOf(m_window.get(), {2, 2}), QColor(192, 192, 255));
    QCOMPARE(PixelOf(m_window->Label1(0), {355, 3}), QColor(255, 192, 128));
    QCOMPARE(PixelOf(m_window->Command1(0), {4, 4}), QColor(255, 128, 128));
    const QFontInfo font(m_window->List1(1)->font());
    QVERIFY2(font.family() == QLatin1String("Times New Roman") ||
                 font.family() == QLatin1String("Liberation Serif"),
             qPrintable(font.family()));
    QCOMPARE(font.pointSize(), 12);
    QVERIFY(!font.bold() && !font.italic());
}

// WCAG's contrast ratio of two colours, from 1 (none) to 21 (black on white).
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& colour) {
        const auto channel = [](double value) {
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
               0.0722 * channel(colour.blueF());
    };
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

// The strongest contrast between a widget's text and the background it was given, as drawn:
// the text's own colour is the pixel that stands out most; its smoothed edges stand out less.
double TextContrast(QWidget* widget, const QColor& background) {
    const QImage image = widget->grab().toImage();
    double best = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            best = std::max(best, Contrast(image.pixelColor(x, y), background));
        }
    }
    return best;
}

// A dark desktop theme turns the platform's text light; on the window's light backgrounds the
// text must stay dark.
void TrevikaTest::readableUnderADarkTheme() {
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(53, 53, 53));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, QColor(230, 230, 230));
    }
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    QApplication::setPalette(dark);
    Trevika window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(ClickItem(window.List1(0), QStringLiteral("Рабиша")));
    QVERIFY(ClickItem(window.List1(1), QStringLiteral("Пещера Магура")));
    const QColor label(255, 192, 128);
    const std::vector<std::pair<QWidget*, QColor>> texts{
        {window.Label1(0), label},
        {window.Label1(1), label},
        {window.Label1(2), label},
        {window.Command1(0), QColor(255, 128, 128)},
        {window.Score(), QColor(192, 192, 255)},
    };
    QStringList low;
    for (const auto& [widget, background] : texts) {
        const double contrast = TextContrast(widget, background);
        if (contrast < 4.5) {
            low << QStringLiteral("%1 %2:1").arg(widget->objectName()).arg(contrast, 0, 'f', 1);
        }
    }
    QApplication::setPalette(light);
    QVERIFY2(low.isEmpty(), qPrintable(low.join(QStringLiteral(", "))));
}

void TrevikaTest::judgesPairsClickedWithTheMouse_data() {
    QTest::addColumn<QString>("settlement");
    QTest::addColumn<QString>("site");
    QTest::addColumn<bool>("siteFirst");
    QTest::addColumn<std::string>("verdict");
    QTest::newRow("right_pair") << "Мелник"
                                << "Кордопулова къща" << false
                                << std::string("Вярно  селище Мелник забележителност Кордопулова "
                                               "къща\r\n област Благоевград");
    QTest::newRow("wrong_pair") << "Мелник"
                                << "Самуилова крепост" << false
                                << std::string("Грешно Мелник забележителност Самуилова "
                                               "крепост\r\n");
    QTest::newRow("site_first") << "Рабиша"
                                << "Пещера Магура" << true
                                << std::string("Вярно  селище Рабиша забележителност Пещера "
                                               "Магура\r\n област Видин");
    QTest::newRow("trailing_space")
        << "Родопи "
        << "Природна забележителност „Чудните мостове“" << false
        << std::string("Вярно  селище Родопи  забележителност Природна забележителност "
                       "„Чудните мостове“\r\n област Смолян");
}

void TrevikaTest::judgesPairsClickedWithTheMouse() {
    QFETCH(QString, settlement);
    QFETCH(QString, site);
    QFETCH(bool, siteFirst);
    QFETCH(std::string, verdict);
    QVERIFY(ClickItem(List1(siteFirst ? 1 : 0), siteFirst ? site : settlement));
    QCOMPARE(Text(), kTask);
    QVERIFY(ClickItem(List1(siteFirst ? 0 : 1), siteFirst ? settlement : site));
    QCOMPARE(m_window->Quiz().Text(), verdict);
    QCOMPARE(Text(),
             QString::fromStdString(verdict).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(RowOf(List1(0), settlement), -1);
    QCOMPARE(RowOf(List1(1), site), -1);
    QCOMPARE(List1(0)->model()->rowCount(), 59);
    QCOMPARE(SelectedRow(List1(0)), -1);
    QCOMPARE(SelectedRow(List1(1)), -1);
}

void TrevikaTest::oneSelectionAloneWritesNothing() {
    QVERIFY(ClickItem(List1(0), QStringLiteral("Видин")));
    QVERIFY(ClickItem(List1(0), QStringLiteral("Враца")));
    QCOMPARE(Text(), kTask);
    QCOMPARE(Item(List1(0), SelectedRow(List1(0))), QStringLiteral("Враца"));
    QCOMPARE(m_window->Quiz().Settlements().ListIndex(), SelectedRow(List1(0)));
    QCOMPARE(List1(0)->model()->rowCount(), 60);
}

void TrevikaTest::nextVerdictReplacesTheLast() {
    QVERIFY(ClickItem(List1(0), QStringLiteral("Мелник")));
    QVERIFY(ClickItem(List1(1), QStringLiteral("Самуилова крепост")));
    QVERIFY(ClickItem(List1(0), QStringLiteral("Ямбол")));
    QVERIFY(ClickItem(List1(1), QStringLiteral("Античен град \"Кабиле\"")));
    QCOMPARE(Text(), QStringLiteral("Вярно  селище Ямбол забележителност Античен град "
                                    "\"Кабиле\"\n област Ямбол"));
}

// Tab moves the current item into a list without selecting it; the arrow keys select.
void TrevikaTest::keyboardAloneCanPlay() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), List1(0));
    QTest::keyClick(List1(0), Qt::Key_Down);
    QCOMPARE(SelectedRow(List1(0)), 1);
    QTest::keyClick(List1(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), List1(1));
    QCOMPARE(Text(), kTask);
    QTest::keyClick(List1(1), Qt::Key_Down);
    QCOMPARE(Text(), QStringLiteral("Грешно Балчик забележителност Античен театър\n"));
    QCOMPARE(SelectedRow(List1(1)), -1);
    QTest::keyClick(List1(1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->Command1(0));
    QTest::keyClick(m_window->Command1(0), Qt::Key_Space);
    QCOMPARE(Text(), QString());
    QCOMPARE(List1(1)->model()->rowCount(), 60);
    // The menu button comes after the defined controls.
    QTest::keyClick(m_window->Command1(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->MenuButton());
    QTest::keyClick(m_window->MenuButton(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->Text1(0));
}

void TrevikaTest::screenReaderCanPlay() {
    const auto select = [](QListView* list, const QString& text) {
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
        QVERIFY(view != nullptr);
        QCOMPARE(view->text(QAccessible::Name), list->accessibleName());
        QAccessibleInterface* cell = view->child(RowOf(list, text));
        QVERIFY(cell != nullptr && cell->actionInterface() != nullptr);
        QCOMPARE(cell->text(QAccessible::Name), text);
        cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    select(List1(1), QStringLiteral("Перперикон"));
    select(List1(0), QStringLiteral("Кърджали"));
    QCOMPARE(Text(), QStringLiteral("Вярно  селище Кърджали забележителност Перперикон\n"
                                    " област Кърджали"));
}

void TrevikaTest::clearButtonRefillsAndEmpties() {
    QTest::mouseClick(m_window->Command1(0), Qt::LeftButton);
    QCOMPARE(Text(), QString());
    QCOMPARE(List1(0)->model()->rowCount(), 60);
    QVERIFY(ClickItem(List1(0), QStringLiteral("Мелник")));
    QVERIFY(ClickItem(List1(1), QStringLiteral("Самуилова крепост")));
    QVERIFY(ClickItem(List1(1), QStringLiteral("Перперикон")));
    QTest::mouseClick(m_window->Command1(0), Qt::LeftButton);
    QCOMPARE(Text(), QString());
    QCOMPARE(List1(0)->model()->rowCount(), 60);
    QCOMPARE(List1(1)->model()->rowCount(), 60);
    QCOMPARE(SelectedRow(List1(1)), -1);
    QCOMPARE(m_window->Quiz().Sites().ListIndex(), -1);
    QVERIFY(RowOf(List1(0), QStringLiteral("Мелник")) >= 0);
}

void TrevikaTest::wholeGameEmptiesBothLists() {
    for (const quiz::SiteRow& row : quiz::kSiteTable) {
        const QString settlement =
            QString::fromUtf8(row.settlement.data(), static_cast<int>(row.settlement.size()));
        const QString site = QString::fromUtf8(row.site.data(), static_cast<int>(row.site.size()));
        QVERIFY(ClickItem(List1(0), settlement));
        QVERIFY(ClickItem(List1(1), site));
        QVERIFY2(Text().startsWith(QStringLiteral("Вярно ")), qPrintable(Text()));
    }
    QCOMPARE(List1(0)->model()->rowCount(), 0);
    QCOMPARE(List1(1)->model()->rowCount(), 0);
    QTest::mouseClick(List1(0)->viewport(), Qt::LeftButton, {}, {10, 10});
    QCOMPARE(Text(), QStringLiteral("Вярно  селище Ямбол забележителност Античен град "
                                    "\"Кабиле\"\n област Ямбол"));
    QTest::mouseClick(m_window->Command1(0), Qt::LeftButton);
    QCOMPARE(List1(0)->model()->rowCount(), 60);
    QCOMPARE(List1(1)->model()->rowCount(), 60);
}

void TrevikaTest::longestSiteCanBeRead() {
    QListView* list = List1(1);
    const QString longest =
        QStringLiteral("Музей на народните художествени занаяти и приложните изкуства");
    const int row = RowOf(list, longest);
    QVERIFY(row >= 0);
    const int needed = list->fontMetrics().horizontalAdvance(longest);
    QVERIFY2(needed < list->viewport()->width() || list->horizontalScrollBar()->maximum() > 0,
             qPrintable(QStringLiteral("%1 px in %2").arg(needed).arg(list->viewport()->width())));
    QCOMPARE(list->model()->index(row, 0).data(Qt::ToolTipRole).toString(), longest);
}

// As defined: "Велико Търново" with an item's margins is a little wider than its list, and is
// clipped rather than given a scroll bar that takes a row's room; its tooltip reads it whole.
void TrevikaTest::builtInListsHaveNoScrollBarBelow() {
    QTest::qWait(50);
    for (int member = 0; member < 2; ++member) {
        QVERIFY(!List1(member)->horizontalScrollBar()->isVisible());
    }
    const QString wide = QStringLiteral("Велико Търново");
    QCOMPARE(List1(0)->model()->index(RowOf(List1(0), wide), 0).data(Qt::ToolTipRole).toString(),
             wide);
}

// Where an error escapes: an action on the engine, or a signal that reaches a flow from the
// event loop (here the map's round is asked about a province that is not there).
void TrevikaTest::errorIsReportedAndEndsTheProgram_data() {
    QTest::addColumn<bool>("fromTheMap");
    QTest::addColumn<QString>("error");
    QTest::newRow("engine") << false << QStringLiteral("RemoveItem: index 7 is outside");
    QTest::newRow("map_round") << true << QStringLiteral("no such province: 99");
}

void TrevikaTest::errorIsReportedAndEndsTheProgram() {
    QFETCH(bool, fromTheMap);
    QFETCH(QString, error);
    QString title;
    QString message;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    if (fromTheMap) {
        m_window->Map()->StartRound();
        window::MapView* view = m_window->Map()->Window()->View();
        QTimer::singleShot(0, view, [view] { emit view->provinceChosen(99); });
    } else {
        QTimer::singleShot(0, m_window.get(), [this] {
            m_window->Run([] { throw std::out_of_range("RemoveItem: index 7 is outside"); });
        });
    }
    // The report is modal: read it and close it once it is up.
    QTimer reader;
    connect(&reader, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            icon = box->icon();
            title = box->windowTitle();
            message = box->text() + QLatin1Char('|') + box->informativeText();
            reader.stop();
            box->accept();
        }
    });
    reader.start(10);
    QTimer::singleShot(20000, this, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), EXIT_FAILURE);
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(title, QApplication::applicationName());
    QCOMPARE(message, QStringLiteral("Тревика спря поради грешка.|") + error);
    QVERIFY(ClickItem(List1(0), QStringLiteral("Мелник")));
    QCOMPARE(m_window->Quiz().Settlements().ListIndex(), -1);
}

// The counting itself is the engine's, played at random against the model.
void TrevikaTest::keepsTheScoreOfTheRound() {
    QLabel* score = m_window->Score();
    QCOMPARE(score->text(), QString());
    QCOMPARE(score->accessibleName(), QStringLiteral("Резултат"));
    QCOMPARE(score->focusPolicy(), Qt::NoFocus);
    QVERIFY(ClickItem(List1(0), QStringLiteral("Рабиша")));
    QVERIFY(ClickItem(List1(1), QStringLiteral("Пещера Магура")));
    QCOMPARE(score->text(), QStringLiteral("Верни: 1 от 1"));
    QCOMPARE(score->accessibleName(), QStringLiteral("Резултат: Верни: 1 от 1"));
    QTest::mouseClick(m_window->Command1(0), Qt::LeftButton);
    QCOMPARE(score->accessibleName(), QStringLiteral("Резултат"));
}

void TrevikaTest::widestScoreFits() {
    const QLabel* score = m_window->Score();
    QCOMPARE(score->geometry(), QRect(529, 0, 112, 25));
    QCOMPARE(QFontInfo(score->font()).pointSize(), 12);
    for (int right = 0; right <= 60; ++right) {
        for (const bool over : {false, true}) {
            const QString text = QString::fromStdString(quiz::ScoreText(right, 60, over));
            const int needed = score->fontMetrics().horizontalAdvance(text);
            QVERIFY2(needed <= score->contentsRect().width(),
                     qPrintable(QStringLiteral("%1: %2 px").arg(text).arg(needed)));
        }
    }
}

// Told once per check, with the verdict on one line; never at start-up or on clear.
void TrevikaTest::screenReaderHearsEachVerdict() {
    QCOMPARE(Notifications(), QStringList());
    QVERIFY(ClickItem(List1(0), QStringLiteral("Мелник")));
    QCOMPARE(Notifications(), QStringList());
    QVERIFY(ClickItem(List1(1), QStringLiteral("Кордопулова къща")));
    QVERIFY(ClickItem(List1(1), QStringLiteral("Самуилова крепост")));
    QVERIFY(ClickItem(List1(0), QStringLiteral("Ямбол")));
    QCOMPARE(QApplication::focusWidget(), List1(0));
    QTest::mouseClick(m_window->Command1(0), Qt::LeftButton);
    QCOMPARE(Notifications(),
             QStringList({QStringLiteral("Вярно  селище Мелник забележителност Кордопулова къща "
                                         "област Благоевград"),
                          QStringLiteral("Грешно Ямбол забележителност Самуилова крепост")}));
    QCOMPARE(QAccessible::queryAccessibleInterface(m_window->Notification())->role(),
             QAccessible::Notification);
}

void TrevikaTest::qtTextsAreBulgarian() {
    QWidget* viewport = m_window->Text1(0)->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, {20, 20},
                            viewport->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(viewport, &event);
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    QStringList actions;
    for (const QAction* action : menu->actions()) {
        actions << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    menu->close();
    // The box's own entries, in Bulgarian, then the window's.
    QCOMPARE(actions.value(0).remove(u'&'), QStringLiteral("Копиране"));
    QVERIFY2(actions.contains(QStringLiteral("Избиране на всичко")) &&
                 actions.indexOf(QStringLiteral("Избиране на всичко")) <
                     actions.indexOf(QStringLiteral("Отвори таблица…")),
             qPrintable(actions.join(u'|')));
}

void TrevikaTest::refilledListsStartAtTheTop() {
    for (int member = 0; member < 2; ++member) {
        List1(member)->scrollToBottom();
    }
    QVERIFY(ClickItem(List1(0), QStringLiteral("Ямбол")));
    QVERIFY(
        ClickItem(List1(1), QStringLiteral("Храм-паметник „Свети Александър Невски“ с криптата")));
    QVERIFY(List1(1)->verticalScrollBar()->value() > 0);
    QTest::mouseClick(m_window->Command1(0), Qt::LeftButton);
    QCoreApplication::processEvents();
    for (int member = 0; member < 2; ++member) {
        QCOMPARE(List1(member)->verticalScrollBar()->value(), 0);
        QCOMPARE(List1(member)->indexAt({2, 2}).row(), 0);
    }
}

QTEST_MAIN(TrevikaTest)
#include "TrevikaTest.moc"
