// SPDX-License-Identifier: MIT
// Random play through the real window: mouse clicks and key presses on the widgets, checked
// against the reference model of the quiz rules after every step.
#include "QuizModel.h"
#include "WindowTestHelpers.h"
#include "quiz/Trevika.h"
#include "review/ReviewDialog.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <SiteTable.h>
#include <random>

using window::Trevika;
using windowtest::SelectedRow;

class TrevikaRandomPlayTest : public QObject {
    Q_OBJECT

private slots:
    void windowAgreesWithTheModel_data();
    void windowAgreesWithTheModel();
};

namespace {

// Where a navigation key moves the current item of a list view, which it then selects.
int KeyTarget(int key, int current, int size) {
    if (current < 0) {
        return 0; // with no current item, every move lands on the first
    }
    switch (key) {
    case Qt::Key_Down:
        return std::min(current + 1, size - 1);
    case Qt::Key_Up:
        return std::max(current - 1, 0);
    case Qt::Key_Home:
        return 0;
    default:
        return size - 1;
    }
}

QString Difference(Trevika& window, const quizmodel::QuizModel& model) {
    for (int member = 0; member < 2; ++member) {
        const QListView* list = window.List1(member);
        const auto& expected = model.lists[static_cast<std::size_t>(member)];
        if (list->model()->rowCount() != static_cast<int>(expected.size())) {
            return QStringLiteral("list %1 has %2 items, the model %3")
                .arg(member)
                .arg(list->model()->rowCount())
                .arg(expected.size());
        }
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            if (list->model()->index(row, 0).data().toString() !=
                QString::fromStdString(expected[static_cast<std::size_t>(row)])) {
                return QStringLiteral("list %1 differs at row %2").arg(member).arg(row);
            }
        }
        const int selected = model.selection[static_cast<std::size_t>(member)];
        if (SelectedRow(list) != selected) {
            return QStringLiteral("list %1 shows row %2 selected, the model %3")
                .arg(member)
                .arg(SelectedRow(list))
                .arg(selected);
        }
    }
    QString text = QString::fromStdString(model.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (window.Text1(0)->toPlainText() != text) {
        return QStringLiteral("the message box shows \"%1\", the model \"%2\"")
            .arg(window.Text1(0)->toPlainText(), text);
    }
    if (window.Score()->text() != QString::fromStdString(model.ScoreText())) {
        return QStringLiteral("the score shows \"%1\", the model \"%2\"")
            .arg(window.Score()->text(), QString::fromStdString(model.ScoreText()));
    }
    return {};
}

// The review must show the model's score and missed rows, with a way on for each.
QString ReviewDifference(const window::ReviewDialog& review, const quizmodel::QuizModel& model) {
    if (review.Score()->text() != QString::fromStdString(model.ScoreText())) {
        return QStringLiteral("the review's score is \"%1\"").arg(review.Score()->text());
    }
    QStringList expected;
    for (const std::size_t row : model.Missed()) {
        expected << QString::fromStdString(model.ReviewLine(row));
    }
    QStringList shown;
    for (int row = 0; review.Missed() != nullptr && row < review.Missed()->count(); ++row) {
        shown << review.Missed()->item(row)->text();
    }
    if (shown != expected) {
        return QStringLiteral("the review shows %1 missed rows, the model %2")
            .arg(shown.size())
            .arg(expected.size());
    }
    if ((review.Practise() != nullptr) == expected.isEmpty()) {
        return QStringLiteral("practice is offered wrongly");
    }
    return {};
}

// Answers the open review at random, as a learner might, and tells the model.
QString AnswerReview(window::ReviewDialog& review, quizmodel::QuizModel& model, unsigned choice) {
    if (review.Practise() != nullptr && choice % 4 == 0) {
        QTest::mouseClick(review.Practise(), Qt::LeftButton);
        model.Practice();
        return QStringLiteral("practise");
    }
    if (choice % 4 == 1) {
        QTest::mouseClick(review.NewRound(), Qt::LeftButton);
        model.Clear();
        return QStringLiteral("new round");
    }
    if (choice % 4 == 2) {
        QTest::keyClick(&review, Qt::Key_Escape);
        return QStringLiteral("escape");
    }
    QTest::mouseClick(review.Close(), Qt::LeftButton);
    return QStringLiteral("close");
}

} // namespace

void TrevikaRandomPlayTest::windowAgreesWithTheModel_data() {
    QTest::addColumn<unsigned>("seed");
    QTest::newRow("seed_1") << 1U;
    QTest::newRow("seed_2") << 2U;
}

void TrevikaRandomPlayTest::windowAgreesWithTheModel() {
    QFETCH(unsigned, seed);
    Trevika window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    quizmodel::QuizModel model;
    model.Fill();
    model.text = window.Quiz().Text();

    std::mt19937 random(seed);
    QStringList steps;
    int checks = 0;
    int reviewed = 0;
    bool emptied = false;
    bool practised = false;
    for (int step = 0; step < 1500; ++step) {
        const std::size_t before = model.lists[0].size();
        const int member = static_cast<int>(random() % 2);
        QListView* list = window.List1(member);
        const int size = list->model()->rowCount();
        const int selected = SelectedRow(list);
        const auto choice = random() % 200;
        // Rarely in a round, so that rounds reach their end; soon once the lists are empty.
        if ((choice == 0 && random() % 3 == 0) || (size == 0 && choice < 20)) {
            steps << QStringLiteral("clear");
            QTest::mouseClick(window.Command1(0), Qt::LeftButton);
            model.Clear();
        } else if (size == 0) {
            steps << QStringLiteral("click in empty list %1").arg(member);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, {5, 5});
        } else if (choice < 16 && selected >= 0) {
            steps << QStringLiteral("ctrl+click selected row %1 of list %2")
                         .arg(selected)
                         .arg(member);
            const QModelIndex index = list->model()->index(selected, 0);
            list->scrollTo(index);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualRect(index).center());
            model.Select(member, -1);
        } else if (choice < 110) {
            const int row = static_cast<int>(random() % static_cast<unsigned>(size));
            steps << QStringLiteral("click row %1 of list %2").arg(row).arg(member);
            const QModelIndex index = list->model()->index(row, 0);
            list->scrollTo(index);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(index).center());
            model.Select(member, row);
        } else {
            static constexpr int kKeys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End,
                                            Qt::Key_Space};
            const int key = kKeys[random() % 5];
            list->setFocus(Qt::TabFocusReason);
            const int current = list->currentIndex().isValid() ? list->currentIndex().row() : -1;
            steps << QStringLiteral("key %1 in list %2 at row %3")
                         .arg(QKeySequence(key).toString())
                         .arg(member)
                         .arg(current);
            QTest::keyClick(list, static_cast<Qt::Key>(key));
            if (key == Qt::Key_Space) {
                if (current >= 0) {
                    model.Select(member, current);
                }
            } else if (const int target = KeyTarget(key, current, size); target != current) {
                model.Select(member, target);
            }
        }
        const bool checked = model.lists[0].size() < before;
        checks += checked ? 1 : 0;
        emptied = emptied || model.lists[0].empty();
        QString difference = Difference(window, model);
        window::ReviewDialog* review = window.Review();
        if (difference.isEmpty() && (review != nullptr) != (checked && model.Over())) {
            difference = review != nullptr ? QStringLiteral("the review is open")
                                           : QStringLiteral("the review is not open");
        }
        if (difference.isEmpty() && review != nullptr) {
            difference = ReviewDifference(*review, model);
            steps << QStringLiteral("review: %1").arg(AnswerReview(*review, model, random()));
            practised = practised || model.practice;
            reviewed += 1;
            if (difference.isEmpty() && window.Review() != nullptr) {
                difference = QStringLiteral("the review stays open");
            }
            if (difference.isEmpty()) {
                difference = Difference(window, model);
            }
        }
        if (!difference.isEmpty()) {
            const auto recent = steps.mid(std::max(0, static_cast<int>(steps.size()) - 8));
            QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3\nlast steps:\n  %4")
                                 .arg(seed)
                                 .arg(step)
                                 .arg(difference, recent.join(QStringLiteral("\n  ")))));
        }
    }
    // The play must judge pairs, and in a long run play rounds to their end and practise.
    QVERIFY2(checks >= 60, qPrintable(QString::number(checks)));
    QVERIFY(emptied);
    QVERIFY2(reviewed >= 3, qPrintable(QString::number(reviewed)));
    QVERIFY(practised);
}

QTEST_MAIN(TrevikaRandomPlayTest)
#include "TrevikaRandomPlayTest.moc"
