// SPDX-License-Identifier: MIT
// The review at the end of a round, as the learner meets it over the real window.
#include "review/ReviewDialog.h"

#include "WindowTestHelpers.h"
#include "app/Startup.h"
#include "quiz/Trevika.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <SiteTable.h>
#include <memory>

using window::ReviewDialog;
using window::Trevika;
using namespace windowtest;

namespace {

// Plays the round out by mouse: first the given wrong pair, if any, then every right pair
// still possible, then whatever is left, first with first.
void PlayRound(Trevika& window, const std::string& settlement = {}, const std::string& site = {}) {
    if (!settlement.empty()) {
        ClickItem(window.List1(0), QString::fromStdString(settlement));
        ClickItem(window.List1(1), QString::fromStdString(site));
    }
    for (const auto& row : quiz::kSiteTable) {
        const int settlementRow = RowOf(window.List1(0), QString::fromUtf8(row.settlement));
        const int siteRow = RowOf(window.List1(1), QString::fromUtf8(row.site));
        if (settlementRow >= 0 && siteRow >= 0) {
            ClickRow(window.List1(0), settlementRow);
            ClickRow(window.List1(1), siteRow);
        }
    }
    while (window.List1(0)->model()->rowCount() > 0 && window.Review() == nullptr) {
        ClickRow(window.List1(0), 0);
        ClickRow(window.List1(1), 0);
    }
}

QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int row = 0; list != nullptr && row < list->count(); ++row) {
        lines << list->item(row)->text();
    }
    return lines;
}

// Nothing in the dialog is cut off: each button shows its whole caption, and the list its
// longest line without scrolling sideways.
bool FitsWithoutClipping(const ReviewDialog& review) {
    for (const QPushButton* button : review.findChildren<QPushButton*>()) {
        if (button->width() < button->sizeHint().width()) {
            return false;
        }
    }
    const QListWidget* missed = review.Missed();
    return missed == nullptr || missed->viewport()->width() >= missed->sizeHintForColumn(0);
}

} // namespace

class ReviewDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { window::InstallQtCatalogue(); }
    void init();
    void cleanup() { m_window.reset(); }

    void opensOnlyWhenTheRoundEnds();
    void showsTheMissedPairs();
    void answers_data();
    void answers();
    void praisesARoundWithoutMistakes();

private:
    std::unique_ptr<Trevika> m_window;
};

void ReviewDialogTest::init() {
    m_window = ShowWindow();
    QVERIFY(m_window != nullptr);
}

void ReviewDialogTest::opensOnlyWhenTheRoundEnds() {
    QCOMPARE(m_window->Review(), nullptr);
    ClickRow(m_window->List1(0), 0);
    ClickRow(m_window->List1(1), 0);
    QCOMPARE(m_window->Review(), nullptr);
    QTest::mouseClick(m_window->Command1(0), Qt::LeftButton);
    QCOMPARE(m_window->Review(), nullptr);
    PlayRound(*m_window);
    QVERIFY(m_window->Review() != nullptr);
    // The last verdict is in the message box behind it.
    QCOMPARE(m_window->Text1(0)->toPlainText().left(6), QStringLiteral("Вярно "));
}

// One wrong pair misses two rows: its settlement's, and the one whose site it took.
void ReviewDialogTest::showsTheMissedPairs() {
    PlayRound(*m_window, "Родопи ", "Античен театър");
    ReviewDialog* review = m_window->Review();
    QVERIFY(review != nullptr);
    QCOMPARE(review->windowTitle(), QStringLiteral("Край на кръга"));
    QCOMPARE(review->windowModality(), Qt::WindowModal);
    QCOMPARE(review->Score()->text(), QStringLiteral("Край: 58 от 60"));
    QCOMPARE(review->Score()->buddy(), nullptr);
    QCOMPARE(review->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly), review->Score());
    QCOMPARE(Lines(review->Missed()),
             QStringList({QStringLiteral("Пловдив – Античен театър, област Пловдив"),
                          QStringLiteral("Родопи – Природна забележителност \u201EЧудните "
                                         "мостове\u201C, област Смолян")}));
    QCOMPARE(review->Missed()->accessibleName(), QStringLiteral("Верните двойки:"));
    QCOMPARE(review->Practise()->text(), QStringLiteral("Упражнявай грешките"));
    QCOMPARE(review->NewRound()->text(), QStringLiteral("Нов кръг"));
    QCOMPARE(review->Close()->text(), QStringLiteral("Затвори"));
    QVERIFY(review->Practise()->isDefault());
    QVERIFY(!review->NewRound()->isDefault());
    QVERIFY(QTest::qWaitForWindowActive(review));
    QTRY_COMPARE(QApplication::focusWidget(), review->Missed());
    QCOMPARE(review->font(), m_window->font());
    QVERIFY(FitsWithoutClipping(*review));
}

void ReviewDialogTest::answers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("settlements");
    QTest::addColumn<QString>("message");
    const QString verdict = QStringLiteral("Грешно Пловдив забележителност Природна "
                                           "забележителност \u201EЧудните мостове\u201C\n");
    QTest::newRow("practise_button") << "practise" << 2 << QString();
    QTest::newRow("enter_practises") << "enter" << 2 << QString();
    QTest::newRow("new_round") << "new round" << 60 << QString();
    QTest::newRow("close_keeps_the_window") << "close" << 0 << verdict;
    QTest::newRow("escape_keeps_the_window") << "escape" << 0 << verdict;
}

void ReviewDialogTest::answers() {
    QFETCH(QString, answer);
    QFETCH(int, settlements);
    QFETCH(QString, message);
    PlayRound(*m_window, "Родопи ", "Античен театър");
    ReviewDialog* review = m_window->Review();
    QVERIFY(review != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(review));
    if (answer == QStringLiteral("practise")) {
        QTest::mouseClick(review->Practise(), Qt::LeftButton);
    } else if (answer == QStringLiteral("enter")) {
        QTest::keyClick(review->Missed(), Qt::Key_Return);
    } else if (answer == QStringLiteral("new round")) {
        QTest::mouseClick(review->NewRound(), Qt::LeftButton);
    } else if (answer == QStringLiteral("close")) {
        QTest::mouseClick(review->Close(), Qt::LeftButton);
    } else {
        QTest::keyClick(review->Missed(), Qt::Key_Escape);
    }
    QCOMPARE(m_window->Review(), nullptr);
    QCOMPARE(m_window->List1(0)->model()->rowCount(), settlements);
    QCOMPARE(m_window->List1(1)->model()->rowCount(), settlements);
    QCOMPARE(m_window->Text1(0)->toPlainText(), message);
    const QString score = settlements == 0   ? QStringLiteral("Край: 58 от 60")
                          : settlements == 2 ? QStringLiteral("Упражнение")
                                             : QString();
    QCOMPARE(m_window->Score()->text(), score);
    if (settlements == 2) {
        QCOMPARE(QApplication::focusWidget(), m_window->List1(0));
        QCOMPARE(m_window->List1(0)->model()->index(1, 0).data().toString(),
                 QStringLiteral("Родопи "));
        // The practice round ends with a review of its own.
        PlayRound(*m_window);
        QVERIFY(m_window->Review() != nullptr);
        QCOMPARE(m_window->Review()->Score()->text(), QStringLiteral("Край: 2 от 2"));
    }
}

void ReviewDialogTest::praisesARoundWithoutMistakes() {
    PlayRound(*m_window);
    ReviewDialog* review = m_window->Review();
    QVERIFY(review != nullptr);
    QCOMPARE(review->Score()->text(), QStringLiteral("Край: 60 от 60"));
    QVERIFY(review->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly) != nullptr);
    const auto labels = review->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 2);
    QCOMPARE(labels.at(1)->text(), QStringLiteral("Всички двойки са верни."));
    QCOMPARE(review->Missed(), nullptr);
    QCOMPARE(review->Practise(), nullptr);
    QCOMPARE(review->findChildren<QPushButton*>().size(), 2);
    QVERIFY(review->NewRound()->isDefault());
    QVERIFY(QTest::qWaitForWindowActive(review));
    QTRY_COMPARE(QApplication::focusWidget(), review->NewRound());
    QTest::keyClick(review->NewRound(), Qt::Key_Return);
    QCOMPARE(m_window->Review(), nullptr);
    QCOMPARE(m_window->List1(0)->model()->rowCount(), 60);
}

QTEST_MAIN(ReviewDialogTest)
#include "ReviewDialogTest.moc"
