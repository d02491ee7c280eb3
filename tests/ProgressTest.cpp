// SPDX-License-Identifier: MIT
// The learner's progress in the window: a round recorded and reviewed, the progress window's
// texts, the review of what is due, the teacher's report, the learner's name, a bad store, a
// store that another program holds, and what a teacher's spreadsheet must not run.
#include "WindowTestHelpers.h"
#include "review/ReviewDialog.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <sqlite3.h>

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

    // A number from the store's file, as another program reads it.
    static long long Count(const QString& store, const char* sql) {
        sqlite3* db = nullptr;
        long long count = -1;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_open_v2(store.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
                SQLITE_OK &&
            sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            count = sqlite3_column_int64(statement, 0);
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return count;
    }

    static bool Execute(const QString& store, const char* sql) {
        sqlite3* db = nullptr;
        const bool done = sqlite3_open(store.toUtf8().constData(), &db) == SQLITE_OK &&
                          sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return done;
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

    // Another program holds the file while a round is played: every verdict comes at once, the
    // review opens, and every check is recorded once the file is free, none lost and nothing
    // said.
    void aHeldStoreDelaysNoVerdictAndLosesNoCheck() {
        const QString store = m_folder.filePath(QStringLiteral("held.sqlite"));
        const auto trevika = Window(store);
        QVERIFY(trevika);
        QVERIFY(!trevika->ProgressFlow()->Learner().isEmpty());
        sqlite3* holder = nullptr;
        QCOMPARE(sqlite3_open(store.toUtf8().constData(), &holder), SQLITE_OK);
        QCOMPARE(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        QElapsedTimer held;
        held.start();
        QVERIFY(trevika->OpenTable(Table()));
        Check(*trevika, "Ямбол", "Кабиле");
        QCOMPARE(QString::fromStdString(trevika->Quiz().Text()).left(6), QStringLiteral("Вярно "));
        Check(*trevika, "Мелник", "Перперикон");
        Check(*trevika, "Кърджали", "Къща");
        QCOMPARE(trevika->Score()->text(), QStringLiteral("Край: 1 от 3"));
        QVERIFY(trevika->Review() != nullptr);
        // Long enough for the first write to be tried again, a few times.
        while (held.elapsed() < 1500) {
            QTest::qWait(100);
        }
        sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(holder);
        QTRY_COMPARE_WITH_TIMEOUT(Count(store, "SELECT count(*) FROM checks"), 3LL, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(Count(store, "SELECT count(*) FROM rounds"), 1LL, 20000);
        QVERIFY(trevika->ProgressFlow()->Message() == nullptr);
        QCOMPARE(trevika->ProgressFlow()->Summary().fault, QString());
    }

    // A pupil's name, or a teacher's text, that a spreadsheet would run as a formula is written
    // to the report so that it shows as text; without a store to read, no report is written.
    void theReportRunsNoFormulaAndIsNotWrittenWithoutAStore() {
        const QString store = m_folder.filePath(QStringLiteral("formula.sqlite"));
        const auto trevika = Window(store);
        QVERIFY(trevika);
        window::Progress& progress = *trevika->ProgressFlow();
        QVERIFY(progress.ChooseLearner(
            QStringLiteral("=HYPERLINK(\"http://example.com\";\"Оценки\")")));
        QVERIFY(trevika->OpenTable(Table()));
        Check(*trevika, "Ямбол", "Кабиле");
        Check(*trevika, "Мелник", "Перперикон");
        Check(*trevika, "Кърджали", "Къща");
        const QString report = m_folder.filePath(QStringLiteral("formula.csv"));
        QVERIFY(progress.SaveReport(report));
        QFile written(report);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(written.readAll()).split(QStringLiteral("\r\n"));
        QVERIFY(lines.size() > 1);
        QVERIFY2(lines.at(1).startsWith(QStringLiteral(
                     "\"'=HYPERLINK(\"\"http://example.com\"\";\"\"Оценки\"\")\";Обекти;")),
                 qPrintable(lines.at(1)));

        const QString folder = m_folder.filePath(QStringLiteral("no-store.sqlite"));
        QVERIFY(QDir().mkpath(folder));
        const auto unread = Window(folder);
        QVERIFY(unread);
        QTRY_VERIFY(unread->ProgressFlow()->Message() != nullptr);
        unread->ProgressFlow()->Message()->close();
        const QString none = m_folder.filePath(QStringLiteral("none.csv"));
        QVERIFY(!unread->ProgressFlow()->SaveReport(none));
        QVERIFY(!QFile::exists(none));
        QTRY_VERIFY(unread->ProgressFlow()->Message() != nullptr);
        QCOMPARE(unread->ProgressFlow()->Message()->text(),
                 QStringLiteral("Отчетът не е записан във файла „%1“: напредъкът не може да се "
                                "прочете")
                     .arg(QDir::toNativeSeparators(none)));
    }

    // A learner chosen when the store refuses the write is told that the name will not be
    // remembered, even after the store's fault was told once.
    void aChoiceTheStoreCannotKeepIsTold() {
        const QString store = m_folder.filePath(QStringLiteral("refusing.sqlite"));
        const auto trevika = Window(store);
        QVERIFY(trevika);
        window::Progress& progress = *trevika->ProgressFlow();
        QVERIFY(!progress.Learner().isEmpty());
        QVERIFY(Execute(store, "CREATE TRIGGER refuse BEFORE INSERT ON settings "
                               "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        QVERIFY(progress.ChooseLearner(QStringLiteral("Мария")));
        QCOMPARE(progress.Learner(), QStringLiteral("Мария"));
        QTRY_VERIFY(progress.Message() != nullptr);
        QVERIFY2(progress.Message()->text().startsWith(
                     QStringLiteral("Ученикът „Мария“ няма да бъде запомнен за следващото "
                                    "пускане. Напредъкът не се записва")),
                 qPrintable(progress.Message()->text()));
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
