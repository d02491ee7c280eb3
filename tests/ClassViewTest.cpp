// SPDX-License-Identifier: MIT
// The class room without a network: the machine's policy over the learner's settings, the
// addresses it takes, results exported to a file, "Клас…", and the teacher's view of a
// committed folder of exported results (tests/data/class: three learners, one file copied
// twice, a learner whose name a spreadsheet would take for a formula).
#include "class/ClassView.h"

#include "WindowTestHelpers.h"
#include "class/ClassDialog.h"
#include "class/ClassFlow.h"
#include "class/Sender.h"
#include "class/StatementReader.h"
#include "progress/Progress.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using window::ClassSettings;
namespace keys = window::classkeys;

namespace {

QString K(const char* key) {
    return QString::fromLatin1(key);
}

} // namespace

class ClassViewTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    int m_files = 0;

    std::unique_ptr<QSettings> Ini(const QVariantMap& values) {
        auto settings = std::make_unique<QSettings>(
            m_folder.filePath(QStringLiteral("s%1.conf").arg(++m_files)), QSettings::IniFormat);
        for (auto at = values.begin(); at != values.end(); ++at) {
            settings->setValue(at.key(), at.value());
        }
        settings->sync();
        return settings;
    }

    std::unique_ptr<window::Trevika> Window(const QVariantMap& user = {},
                                            const QVariantMap& policy = {}) {
        auto trevika = windowtest::ShowWindow();
        if (trevika) {
            trevika->UseProgress(m_folder.filePath(QStringLiteral("p%1.sqlite").arg(++m_files)));
            trevika->ProgressFlow()->Open();
            trevika->Class()->UseSettings(std::make_unique<ClassSettings>(
                Ini(user), policy.isEmpty() ? nullptr : Ini(policy)));
        }
        return trevika;
    }

    static void Check(window::Trevika& trevika, int left) {
        windowtest::ClickRow(trevika.List1(0), left);
        windowtest::ClickRow(trevika.List1(1), 0);
    }

private slots:
    void policyHoldsOverTheLearnersSettings_data() {
        QTest::addColumn<QVariantMap>("user");
        QTest::addColumn<QVariantMap>("policy");
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<bool>("allowHttp");
        QTest::addColumn<QStringList>("fixed");
        const QString mine = QStringLiteral("https://mine.example/xAPI/");
        const QString school = QStringLiteral("https://lrs.school.bg/xAPI/");
        QTest::newRow("nothing") << QVariantMap() << QVariantMap() << QString() << false
                                 << QStringList();
        QTest::newRow("the_learners_own")
            << QVariantMap{{K(keys::kEndpoint), mine}, {K(keys::kAllowHttp), true}} << QVariantMap()
            << mine << true << QStringList();
        QTest::newRow("the_schools_over_the_learners")
            << QVariantMap{{K(keys::kEndpoint), mine}, {K(keys::kAllowHttp), true}}
            << QVariantMap{{K(keys::kEndpoint), school}, {K(keys::kAllowHttp), false}} << school
            << false << QStringList{K(keys::kEndpoint), K(keys::kAllowHttp)};
        QTest::newRow("the_school_sets_one_value")
            << QVariantMap{{K(keys::kEndpoint), mine}} << QVariantMap{{K(keys::kAllowHttp), true}}
            << mine << true << QStringList{K(keys::kAllowHttp)};
    }

    void policyHoldsOverTheLearnersSettings() {
        QFETCH(QVariantMap, user);
        QFETCH(QVariantMap, policy);
        QFETCH(QString, endpoint);
        QFETCH(bool, allowHttp);
        QFETCH(QStringList, fixed);
        ClassSettings settings(Ini(user), policy.isEmpty() ? nullptr : Ini(policy));
        QCOMPARE(settings.Config().endpoint, endpoint);
        QCOMPARE(settings.Config().allowHttp, allowHttp);
        QStringList found = settings.Fixed().values();
        found.sort();
        fixed.sort();
        QCOMPARE(found, fixed);
        // Saving keeps the learner's other values and never writes what the school fixed.
        window::ClassConfig changed = settings.Config();
        changed.endpoint = QStringLiteral("https://other.example/");
        changed.allowHttp = !allowHttp;
        QString fault;
        QVERIFY(settings.Save(changed, &fault));
        const bool endpointFixed = fixed.contains(K(keys::kEndpoint));
        QCOMPARE(settings.Config().endpoint,
                 endpointFixed ? endpoint : QStringLiteral("https://other.example/"));
        QCOMPARE(settings.Config().allowHttp,
                 fixed.contains(K(keys::kAllowHttp)) ? allowHttp : !allowHttp);
    }

    void addressesAreTakenOnlyWhenSafe_data() {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<bool>("allowHttp");
        QTest::addColumn<QString>("fault");
        QTest::newRow("https") << QStringLiteral("https://lrs.school.bg/xAPI") << false
                               << QString();
        QTest::newRow("http_not_allowed")
            << QStringLiteral("http://lrs.school.bg/xAPI/") << false
            << QStringLiteral("Адресът на хранилището е http:// (без шифроване), а това не е "
                              "разрешено в настройките.");
        QTest::newRow("http_allowed")
            << QStringLiteral("http://10.0.0.5:8080/xAPI/") << true << QString();
        QTest::newRow("other_scheme")
            << QStringLiteral("ftp://lrs.school.bg/") << true
            << QStringLiteral("Адресът на хранилището трябва да започва с https://.");
        QTest::newRow("no_scheme") << QStringLiteral("lrs.school.bg") << false
                                   << QStringLiteral("Адресът на хранилището „lrs.school.bg“ не е "
                                                     "правилен.");
    }

    void addressesAreTakenOnlyWhenSafe() {
        QFETCH(QString, endpoint);
        QFETCH(bool, allowHttp);
        QFETCH(QString, fault);
        window::ClassConfig config;
        config.endpoint = endpoint;
        config.allowHttp = allowHttp;
        QCOMPARE(config.Fault(), fault);
        QVERIFY(config.Endpoint().toString().endsWith(u'/'));
    }

    // With no store's address, a round is recorded with its statements and nothing touches
    // the network; an export writes them all and marks none sent.
    void withNothingConfiguredNothingIsSentAndAnExportHoldsAll() {
        auto trevika = Window();
        QVERIFY(trevika);
        Check(*trevika, 0);
        Check(*trevika, 0);
        QTRY_COMPARE(trevika->ProgressFlow()->Outbox().waiting, 2);
        QVERIFY(trevika->findChildren<QNetworkAccessManager*>().isEmpty());
        const QString file = m_folder.filePath(QStringLiteral("Резултати.json"));
        QVERIFY(trevika->Class()->ExportResults(QString(), file));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QJsonArray exported = QJsonDocument::fromJson(written.readAll()).array();
        QCOMPARE(exported.size(), 2);
        QCOMPARE(exported.at(0)
                     .toObject()
                     .value(QStringLiteral("verb"))
                     .toObject()
                     .value(QStringLiteral("id")),
                 QStringLiteral("http://adlnet.gov/expapi/verbs/answered"));
        QCOMPARE(trevika->ProgressFlow()->Outbox().waiting, 2);
        // An export into a folder that is not there is told, naming the file.
        QVERIFY(!trevika->Class()->ExportResults(
            QString(), m_folder.filePath(QStringLiteral("няма/Резултати.json"))));
        QTRY_VERIFY(trevika->Class()->Message() != nullptr);
        QVERIFY(trevika->Class()->Message()->text().startsWith(
            QStringLiteral("Резултатите не са записани във файла „")));
        trevika->Class()->Message()->close();
    }

    // A store that cannot be read exports nothing: an empty file would say there was nothing.
    void anUnreadableStoreExportsNothing() {
        const QString folder = m_folder.filePath(QStringLiteral("folder-in-place.sqlite"));
        QVERIFY(QDir().mkpath(folder));
        auto trevika = windowtest::ShowWindow();
        QVERIFY(trevika);
        trevika->UseProgress(folder);
        trevika->ProgressFlow()->Open();
        QTRY_VERIFY(trevika->ProgressFlow()->Message() != nullptr);
        trevika->ProgressFlow()->Message()->close();
        const QString file = m_folder.filePath(QStringLiteral("нищо.json"));
        QVERIFY(!trevika->Class()->ExportResults(QString(), file));
        QVERIFY(!QFile::exists(file));
        QTRY_VERIFY(trevika->Class()->Message() != nullptr);
        QCOMPARE(trevika->Class()->Message()->text(),
                 QStringLiteral("Резултатите не са записани във файла „%1“: напредъкът не може "
                                "да се прочете")
                     .arg(QDir::toNativeSeparators(file)));
    }

    // "Клас…" shows what the school fixed as read-only, an unencrypted address as such, and
    // what waits.
    void theDialogShowsThePolicyAndWhatWaits() {
        auto trevika =
            Window({{K(keys::kKey), QStringLiteral("ключ")}}, {{K(keys::kAllowHttp), true}});
        QVERIFY(trevika);
        Check(*trevika, 0);
        QTRY_COMPARE(trevika->ProgressFlow()->Outbox().waiting, 1);
        auto* action = trevika->findChild<QAction*>(QStringLiteral("ClassAction"));
        QVERIFY(action != nullptr);
        action->trigger();
        window::ClassDialog* dialog = trevika->Class()->Dialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(!dialog->findChild<QCheckBox*>(QStringLiteral("AllowHttp"))->isEnabled());
        QVERIFY(dialog->findChild<QLineEdit*>(QStringLiteral("Endpoint"))->isEnabled());
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("Key"))->text(),
                 QStringLiteral("ключ"));
        auto* unencrypted = dialog->findChild<QLabel*>(QStringLiteral("Unencrypted"));
        QVERIFY(!unencrypted->isVisible());
        dialog->findChild<QLineEdit*>(QStringLiteral("Endpoint"))
            ->setText(QStringLiteral("http://127.0.0.1:9/xAPI/"));
        QVERIFY(unencrypted->isVisible());
        QCOMPARE(unencrypted->text(), QStringLiteral("(без шифроване)"));
        QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("Waiting"))
                    ->text()
                    .startsWith(QStringLiteral("Чакат за изпращане: 1. Нищо не е изпратено")));
        dialog->close();
    }

    void theClassViewShowsAFolderOfResults() {
        auto trevika = Window();
        QVERIFY(trevika);
        auto* action = trevika->findChild<QAction*>(QStringLiteral("ClassViewAction"));
        QVERIFY(action != nullptr);
        action->trigger();
        window::ClassView* view = trevika->Class()->View();
        QVERIFY(view != nullptr);
        QVERIFY(view->AddFolder(QStringLiteral(TREVIKA_TEST_DATA "/class")));
        auto* learners = view->findChild<QTableWidget*>(QStringLiteral("ClassLearners"));
        QCOMPARE(learners->rowCount(), 3);
        // Борис's file is there twice: counted once. Sorted by the right share, most first.
        learners->sortItems(2, Qt::DescendingOrder);
        const auto row = [learners](int at) {
            QStringList cells;
            for (int column = 0; column < 4; ++column) {
                cells << learners->item(at, column)->text();
            }
            return cells.join(u'|');
        };
        QCOMPARE(row(0), QStringLiteral("=1+1|60|78|0"));
        QCOMPARE(row(1), QStringLiteral("Борис|60|68|0"));
        QCOMPARE(row(2).left(19), QStringLiteral("Ана Петрова|180|65|"));
        QVERIFY(learners->item(2, 3)->text().toInt() > 0);
        QVERIFY(learners->item(2, 0)
                    ->data(Qt::AccessibleTextRole)
                    .toString()
                    .startsWith(QStringLiteral("Ана Петрова: 180 отговора, 65 % верни, ")));
        auto* hardest = view->findChild<QListWidget*>(QStringLiteral("ClassHardest"));
        QCOMPARE(hardest->count(), 10);
        QCOMPARE(view->Figures().statements, std::size_t{183 + 61 + 61});
        // The gradebook's file: a name that looks like a formula stays text.
        const QString csv = m_folder.filePath(QStringLiteral("Клас.csv"));
        QVERIFY(view->SaveCsv(csv));
        QFile saved(csv);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(saved.readAll());
        QVERIFY2(text.contains(QStringLiteral("'=1+1")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("\n=1+1")));
        view->close();
    }

    void aBadFileIsToldWithItsLineAndTheViewKeepsWhatItRead() {
        const QString folder = m_folder.filePath(QStringLiteral("развалени"));
        QVERIFY(QDir().mkpath(folder));
        QFile::copy(QStringLiteral(TREVIKA_TEST_DATA "/class/Борис.json"),
                    folder + QStringLiteral("/1.json"));
        QFile broken(folder + QStringLiteral("/2.json"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("[\n {\"id\": \"a\",\n  \"verb\": }\n]");
        broken.close();
        const window::ReadStatements read = window::ReadStatementsFrom(
            "[\n {\"id\": \"a\",\n  \"verb\": }\n]", QStringLiteral("2.json"), 10);
        QCOMPARE(read.fault.left(18), QStringLiteral("„2.json“, ред 3: н"));
        QVERIFY(read.records.empty());
        QCOMPARE(window::ReadStatementsFrom("{\"a\": 1}", QStringLiteral("x"), 10).fault,
                 QStringLiteral("„x“ не е списък от изявления xAPI."));
        QCOMPARE(window::ReadStatementsFrom("[1, 2, 3]", QStringLiteral("x"), 2).fault,
                 QStringLiteral("„x“: изявленията са повече от 1000000."));

        auto trevika = Window();
        QVERIFY(trevika);
        trevika->findChild<QAction*>(QStringLiteral("ClassViewAction"))->trigger();
        window::ClassView* view = trevika->Class()->View();
        QVERIFY(!view->AddFolder(folder));
        QCOMPARE(view->findChild<QTableWidget*>(QStringLiteral("ClassLearners"))->rowCount(), 1);
        auto* message = view->findChild<QMessageBox*>(QStringLiteral("ClassViewMessage"));
        QVERIFY(message != nullptr);
        QVERIFY2(message->text().contains(QStringLiteral("2.json“, ред 3:")),
                 qPrintable(message->text()));
        message->close();
        view->close();
    }
};

QTEST_MAIN(ClassViewTest)
#include "ClassViewTest.moc"
