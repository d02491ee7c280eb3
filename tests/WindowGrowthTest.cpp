// SPDX-License-Identifier: MIT
// The window beyond its defined size: enlarged, maximised and with its text scaled, it keeps
// its controls in order and apart, and long texts show whole.
#include "WindowTestHelpers.h"
#include "quiz/Trevika.h"
#include "quiz/WindowDefinition.h"
#include "review/ReviewDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <Quiz.h>

using window::Trevika;
using namespace windowtest;

namespace {

// Every control of the window by name, in the order the definition places them.
QList<QWidget*> Controls(const Trevika& window) {
    return {window.MenuButton(), window.Label1(0), window.Command1(0),
            window.Score(),      window.Label1(1), window.Label1(2),
            window.List1(0),     window.List1(1),  window.Text1(0)};
}

// Nothing overlaps, everything is inside the window, and the headings stand over their lists,
// whose top line they touch, as defined.
void ExpectOrderly(const Trevika& window) {
    const QList<QWidget*> controls = Controls(window);
    for (qsizetype one = 0; one < controls.size(); ++one) {
        QVERIFY2(window.rect().contains(controls[one]->geometry()),
                 qPrintable(controls[one]->objectName()));
        for (qsizetype other = one + 1; other < controls.size(); ++other) {
            const bool headingOverList =
                controls[other] == window.List1(0) || controls[other] == window.List1(1);
            QVERIFY2(headingOverList ||
                         !controls[one]->geometry().intersects(controls[other]->geometry()),
                     qPrintable(controls[one]->objectName() + QLatin1Char('/') +
                                controls[other]->objectName()));
        }
    }
    for (int member = 0; member < 2; ++member) {
        const QRect heading = window.Label1(member + 1)->geometry();
        const QRect list = window.List1(member)->geometry();
        QCOMPARE(heading.left(), list.left());
        QCOMPARE(heading.width(), list.width());
        QVERIFY(heading.top() < list.top() && heading.bottom() <= list.top());
    }
}

QString Repeated(const QString& text, int length) {
    return text.repeated(length / text.size() + 1).left(length);
}

} // namespace

class WindowGrowthTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void growsButNeverShrinks();
    void zoomKeys_data();
    void zoomKeys();
    void scoreFitsBesideTheButton_data();
    void scoreFitsBesideTheButton();
    void reviewStaysOnTheScreen();

private:
    std::unique_ptr<Trevika> m_window;
};

void WindowGrowthTest::init() {
    m_window = ShowWindow();
    QVERIFY(m_window != nullptr);
}

// A maximised window on a full HD screen: the lists and the message box take the room, and a
// teacher's 60-character text shows whole, without scrolling sideways.
void WindowGrowthTest::growsButNeverShrinks() {
    const QSize defined = window::ToPixels(window::kClient).size();
    QCOMPARE(m_window->minimumSize(), defined);
    ExpectOrderly(*m_window);
    const QString sixty = Repeated(QStringLiteral("Храм-паметник „Свети Александър Невски“ "), 60);
    m_window->Run([&sixty](quiz::Quiz& quiz) {
        quiz.UseTable(std::make_shared<const quiz::PairTable>(
            quiz::PairTable{"Дълги", {"ляво", "дясно"}, {{"Искър", sixty.toStdString(), ""}}}));
    });
    QListView* right = m_window->List1(1);
    const QRect before = right->geometry();

    m_window->resize(1920, 1040);
    QTRY_COMPARE(m_window->size(), QSize(1920, 1040));
    ExpectOrderly(*m_window);
    QVERIFY(right->width() > 2 * before.width());
    QVERIFY(right->height() > 3 * before.height());
    QVERIFY(m_window->Text1(0)->height() > 3 * window::ToPixels(window::kText1[0]).height());
    QCOMPARE(m_window->Command1(0)->height(), window::ToPixels(window::kCommand1[0]).height());
    QVERIFY(right->fontMetrics().horizontalAdvance(sixty) < right->viewport()->width() - 8);
    QCOMPARE(right->horizontalScrollBar()->maximum(), 0);

    m_window->resize(300, 200);
    QTRY_COMPARE(m_window->size(), defined);
    QCOMPARE(right->geometry(), before);
}

void WindowGrowthTest::zoomKeys_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<qreal>("once");
    QTest::addColumn<qreal>("many");
    QTest::addColumn<bool>("inMessageBox");
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ControlModifier | Qt::ShiftModifier;
    const Qt::KeyboardModifiers keypad = Qt::ControlModifier | Qt::KeypadModifier;
    QTest::newRow("plus") << Qt::Key_Plus << ctrl << 15.0 << 36.0 << false;
    QTest::newRow("shift_plus") << Qt::Key_Plus << shift << 15.0 << 36.0 << false;
    QTest::newRow("shift_plus_in_the_message_box") << Qt::Key_Plus << shift << 15.0 << 36.0 << true;
    QTest::newRow("equals") << Qt::Key_Equal << ctrl << 15.0 << 36.0 << false;
    QTest::newRow("equals_in_the_message_box") << Qt::Key_Equal << ctrl << 15.0 << 36.0 << true;
    QTest::newRow("keypad_plus") << Qt::Key_Plus << keypad << 15.0 << 36.0 << false;
    QTest::newRow("minus_stays_at_the_defined_size")
        << Qt::Key_Minus << ctrl << 12.0 << 12.0 << false;
    QTest::newRow("keypad_minus") << Qt::Key_Minus << keypad << 12.0 << 12.0 << false;
}

// From 100 % up to 300 %, never below 100 %; Ctrl+0 goes back to the defined font and size.
void WindowGrowthTest::zoomKeys() {
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(qreal, once);
    QFETCH(qreal, many);
    QFETCH(bool, inMessageBox);
    QWidget* focus = inMessageBox ? static_cast<QWidget*>(m_window->Text1(0)) : m_window->List1(0);
    focus->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(focus, key, modifiers);
    QCOMPARE(m_window->List1(1)->font().pointSizeF(), once);
    for (int press = 0; press < 10; ++press) {
        QTest::keyClick(focus, key, modifiers);
    }
    QCOMPARE(m_window->Command1(0)->font().pointSizeF(), many);
    // As large as the screen allows, in order.
    const QSize room = m_window->screen()->availableGeometry().size();
    QVERIFY(m_window->width() >= std::min(qRound(641 * many / 12), room.width()) - 16);
    ExpectOrderly(*m_window);

    QTest::keyClick(focus, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(m_window->Text1(0)->font().pointSizeF(), 12.0);
    QCOMPARE(m_window->minimumSize(), window::ToPixels(window::kClient).size());
}

void WindowGrowthTest::scoreFitsBesideTheButton_data() {
    QTest::addColumn<QString>("score");
    QTest::addColumn<bool>("definedFont");
    QTest::newRow("short") << QStringLiteral("Верни: 5 от 9") << true;
    QTest::newRow("two_digits") << QStringLiteral("Верни: 56 от 59") << false;
    QTest::newRow("thousand") << QStringLiteral("Верни: 1000 от 1000") << false;
    QTest::newRow("round_over") << QStringLiteral("Край: 1000 от 1000") << false;
}

void WindowGrowthTest::scoreFitsBesideTheButton() {
    QFETCH(QString, score);
    QFETCH(bool, definedFont);
    auto* label = static_cast<window::FittingLabel*>(m_window->Score());
    label->setText(score);
    const QFont font = label->TextFont();
    QCOMPARE(font.pointSizeF() == label->font().pointSizeF(), definedFont);
    // The text's own width, centred, leaves a margin at both sides of the label, which stands
    // apart from the button and inside the window.
    const qreal text = QFontMetricsF(font).horizontalAdvance(score);
    QVERIFY2(text <= label->width() - 2 * window::FittingLabel::kMargin, qPrintable(score));
    QVERIFY(!label->geometry().intersects(m_window->Command1(0)->geometry()));
    QVERIFY(m_window->rect().contains(label->geometry()));
}

// A row of 300 characters wraps: the review stays on the screen, with all its buttons.
void WindowGrowthTest::reviewStaysOnTheScreen() {
    const QString line = Repeated(QStringLiteral("Дълъг ред на учителска таблица "), 300);
    window::ReviewDialog review(QStringLiteral("Край: 0 от 3"), {line, line, line}, m_window.get());
    review.show();
    QVERIFY(QTest::qWaitForWindowExposed(&review));
    const QRect screen = m_window->screen()->availableGeometry();
    QVERIFY2(screen.contains(review.frameGeometry()),
             qPrintable(QStringLiteral("%1x%2").arg(review.width()).arg(review.height())));
    for (const QPushButton* button : review.findChildren<QPushButton*>()) {
        const QRect shown(button->mapTo(&review, QPoint(0, 0)), button->size());
        QVERIFY(review.rect().contains(shown));
        QVERIFY(button->width() >= button->sizeHint().width());
    }
    QCOMPARE(review.Missed()->horizontalScrollBar()->maximum(), 0);
    QVERIFY(review.Missed()->visualItemRect(review.Missed()->item(0)).height() >
            2 * review.Missed()->fontMetrics().height());
}

QTEST_MAIN(WindowGrowthTest)
#include "WindowGrowthTest.moc"
