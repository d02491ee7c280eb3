// SPDX-License-Identifier: MIT
// The learner's progress in the window: a round recorded and reviewed, the progress window's
// texts, the review of what is due, the teacher's report, the learner's name, a bad store.
#include "WindowTestHelpers.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <ReviewDialog.h>

namespace {

// 2026-12-09 10:15 UTC.
constexpr progress::TimeMs kNow = 1'796'811'300'000;

class ProgressTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    progress::TimeMs m_now = kNow;

    std::unique_ptr<window::Trevika> Window(const QString& store) {
        auto trevika = windowtest::ShowWindow();
        if (trevika) {
            trevika->UseProgress(store, [this] { return m_now; });
            trevika->ProgressFlow()->Open();
        }
        return trevika;
    }

    QString Table() {
        QString path = m_folder.filePath(QStringLiteral("Обекти.csv"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write("град;обект\nЯмбол;Кабиле\nМелник;Къща\nКърджали;Перперикон\n");
        }
        return path;
    }

    static void Check(window::Trevika& trevika, const char* left, const char* right) {
        QVERIFY(windowtest::ClickItem(trevika.List1(0), QString::fromUtf8(left)));
        QVERIFY(windowtest::ClickItem(trevika.List1(1), QString::fromUtf8(right)));
    }

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }

    void aRoundIsRecordedReviewedAndReported() {
        const auto trevika = Window(m_folder.filePath(QStringLiteral("round.sqlite")));
        QVERIFY(trevika);
        window::Progress& progress = *trevika->ProgressFlow();
        QVERIFY(progress.ChooseLearner(QStringLiteral("Ана")));
        QVERIFY(trevika->OpenTable(Table()));
        Check(*trevika, "Ямбол", "Кабиле");
        Check(*trevika, "Мелник", "Перперикон");
        Check(*trevika, "Кърджали", "Къща");
        // The checks are recorded from the event loop, once their verdicts are shown.
        QCoreApplication::processEvents();
        QVERIFY(trevika->Review() != nullptr);
        window::ReviewDialog& review = *trevika->Review();
        QCOMPARE(review.Score()->text(), QStringLiteral("Край: 1 от 3"));
        QCOMPARE(review.Learned()->text(), QStringLiteral("Научени: 0 от 3"));
        QVERIFY(review.ReviewDue() == nullptr);
        review.reject();

        progress.Actions().at(1)->trigger();
        QTRY_VERIFY(progress.Window() != nullptr);
        QCOMPARE(
            progress.Window()->Lines(),
            (QStringList{QStringLiteral("Ученик: Ана"), QStringLiteral("Таблица: Обекти"),
                         QStringLiteral("Научени: 0 от 3"), QStringLiteral("За повторение днес: 0"),
                         QStringLiteral("Днес: 3 отговора, 1 верни")}));
        const auto* hardest =
            progress.Window()->findChild<QListWidget*>(QStringLiteral("ProgressHardest"));
        QCOMPARE(hardest->count(), 2);
        QCOMPARE(hardest->item(0)->text(), QStringLiteral("Кърджали – Перперикон: 1 грешка"));
        const QString today =
            QDateTime::fromMSecsSinceEpoch(kNow).toLocalTime().toString(QStringLiteral("dd.MM"));
        QCOMPARE(progress.Window()
                     ->findChild<QWidget*>(QStringLiteral("ProgressChart"))
                     ->accessibleDescription(),
                 today + QStringLiteral(": 1 верни, 2 грешни, научени 0."));
        progress.Window()->reject();

        // Written as the tables are, every pair's line.
        const QString report = m_folder.filePath(QStringLiteral("отчет.csv"));
        QVERIFY(progress.SaveReport(report));
        QFile written(report);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QString date = QDateTime::fromMSecsSinceEpoch(kNow).toLocalTime().toString(
            QStringLiteral("dd.MM.yyyy"));
        const QString due = QDateTime::fromMSecsSinceEpoch(kNow + 10 * progress::kMinuteMs)
                                .toLocalTime()
                                .toString(QStringLiteral("dd.MM.yyyy"));
        const QStringList lines =
            QString::fromUtf8(written.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(0), QStringLiteral("ученик;таблица;град;обект;верни;грешни;"
                                             "последен отговор;следващо повторение;научена"));
        QCOMPARE(lines.at(1),
                 QStringLiteral("Ана;Обекти;Ямбол;Кабиле;1;0;%1;%2;не").arg(date, due));

        // A day later all three are due, and their round is a practice round.
        m_now += progress::kDayMs;
        progress.UpdateActions();
        QAction* reviewDue = progress.Actions().at(0);
        QCOMPARE(reviewDue->text(), QStringLiteral("Повторение за днес (3)"));
        QVERIFY(reviewDue->isEnabled());
        reviewDue->trigger();
        QCOMPARE(trevika->List1(0)->model()->rowCount(), 3);
        QCOMPARE(trevika->Score()->text(), QStringLiteral("Упражнение"));
        QCOMPARE(trevika->Quiz().Text(), std::string());
    }

    void theLearnerIsRememberedAndNamedWithinBounds() {
        const QString store = m_folder.filePath(QStringLiteral("names.sqlite"));
        {
            const auto trevika = Window(store);
            QVERIFY(trevika);
            window::Progress& progress = *trevika->ProgressFlow();
            QVERIFY(progress.ChooseLearner(QStringLiteral("  Мария Иванова ")));
            QCOMPARE(progress.Learner(), QStringLiteral("Мария Иванова"));
            for (const QString& bad : {QStringLiteral("   "), QString(61, u'я')}) {
                QVERIFY(!progress.ChooseLearner(bad));
                QTRY_VERIFY(progress.Message() != nullptr);
                QCOMPARE(progress.Message()->text(),
                         QStringLiteral("Името на ученика трябва да е от 1 до 60 знака."));
                progress.Message()->close();
            }
            QVERIFY(progress.ChooseLearner(QString(60, u'я')));
            QVERIFY(progress.ChooseLearner(QStringLiteral("Мария Иванова")));
        }
        const auto again = Window(store);
        QVERIFY(again);
        QCOMPARE(again->ProgressFlow()->Learner(), QStringLiteral("Мария Иванова"));
    }

    void aBadStoreIsToldOnceAndTheQuizPlaysOn() {
        const QString folder = m_folder.filePath(QStringLiteral("folder.sqlite"));
        QVERIFY(QDir().mkpath(folder));
        const auto trevika = Window(folder);
        QVERIFY(trevika);
        window::Progress& progress = *trevika->ProgressFlow();
        QTRY_VERIFY(progress.Message() != nullptr);
        QCOMPARE(progress.Message()->text(),
                 QStringLiteral("Напредъкът не се записва: на мястото на файла „%1“ има папка.")
                     .arg(QDir::toNativeSeparators(folder)));
        progress.Message()->close();
        Check(*trevika, "Ямбол", "Античен град \"Кабиле\"");
        QTest::qWait(50);
        QCOMPARE(QString::fromStdString(trevika->Quiz().Text()).left(6), QStringLiteral("Вярно "));
        QVERIFY(progress.Message() == nullptr);
        QVERIFY(QFileInfo(folder).isDir());
    }
};

} // namespace

QTEST_MAIN(ProgressTest)
#include "ProgressTest.moc"
