// SPDX-License-Identifier: MIT
#include "quiz/PickListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <Quiz.h>

using window::PickListModel;

class PickListModelTest : public QObject {
    Q_OBJECT

private slots:
    void followsTheEngineThroughAWholeGame();
    void keepsOtherRowsWhenOneGoes();
    void fillsARoundAtOnce();
};

// The tester checks every signal the model sends against the rows it reports.
void PickListModelTest::followsTheEngineThroughAWholeGame() {
    quiz::Quiz quiz;
    PickListModel settlements(quiz.Settlements());
    PickListModel sites(quiz.Sites());
    QAbstractItemModelTester settlementsTester(
        &settlements, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester sitesTester(&sites,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy selections(&sites, &PickListModel::listIndexChanged);
    quiz.FillLists();
    QCOMPARE(settlements.rowCount(), 60);
    QCOMPARE(sites.index(0, 0).data().toString(), QStringLiteral("Античен град \"Кабиле\""));
    while (quiz.Settlements().ListCount() > 0) {
        quiz.Settlements().SetListIndex(quiz.Settlements().ListCount() / 2);
        quiz.Sites().SetListIndex(0);
        quiz.ListClick();
    }
    QCOMPARE(settlements.rowCount(), 0);
    QCOMPARE(sites.rowCount(), 0);
    QCOMPARE(selections.count(), 120);
    QCOMPARE(selections.last().first().toInt(), -1);
    quiz.ClearClick();
    QCOMPARE(sites.rowCount(), 60);
}

void PickListModelTest::keepsOtherRowsWhenOneGoes() {
    quiz::Quiz quiz;
    quiz.FillLists();
    PickListModel sites(quiz.Sites());
    const QPersistentModelIndex before(sites.index(10, 0));
    const QPersistentModelIndex after(sites.index(30, 0));
    const QString text = after.data().toString();
    QSignalSpy resets(&sites, &QAbstractItemModel::modelReset);
    quiz.Sites().RemoveItem(20);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(before.row(), 10);
    QCOMPARE(after.row(), 29);
    QCOMPARE(after.data().toString(), text);
}

// A round's lists come as one reset, not as a notification for each of their items.
void PickListModelTest::fillsARoundAtOnce() {
    quiz::Quiz quiz;
    PickListModel sites(quiz.Sites());
    QSignalSpy resets(&sites, &QAbstractItemModel::modelReset);
    QSignalSpy insertions(&sites, &QAbstractItemModel::rowsInserted);
    quiz.ClearClick();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(insertions.count(), 0);
    QCOMPARE(sites.rowCount(), 60);
}

QTEST_GUILESS_MAIN(PickListModelTest)
#include "PickListModelTest.moc"
