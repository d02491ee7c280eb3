// SPDX-License-Identifier: MIT
// The class's statements, sent to a real learning record store that tests/check_lrs.py starts
// (Learning Locker's xapi-statements), with or without a proxy in front that brings faults.
// Each function is one learner's part in a row of that script, driven by its environment:
//   TREVIKA_LRS          the store's xAPI address (the functions skip without it)
//   TREVIKA_CLASS_STORE  the learner's progress file
//   TREVIKA_CLASS_LEARNER, TREVIKA_CLASS_ROUNDS, TREVIKA_CLASS_PAUSE_MS (between checks)
//   TREVIKA_CLASS_HOLD   after recording, say "recorded" and wait to be killed
//   TREVIKA_CLASS_WAIT_S how long everything may take to be sent
//   TREVIKA_CLASS_EXPECT_REFUSAL  sending is refused (the credentials, the certificate): told
//                                 with this text, nothing sent
//   TREVIKA_CLASS_AUTHORITY       the school's certificate authority, a PEM file
#include "WindowTestHelpers.h"
#include "class/ClassFlow.h"
#include "class/ClassView.h"
#include "class/Sender.h"
#include "progress/Progress.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>
#include <Quiz.h>
#include <cstdio>
#include <random>

namespace {

QString Env(const char* name, const QString& otherwise = {}) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? otherwise : value;
}

int Number(const char* name, int otherwise) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : otherwise;
}

// Every value of ours is in the store's statement as we sent it: the store may add its own
// (stored, authority, version), never change ours.
bool Holds(const QJsonValue& theirs, const QJsonValue& ours, const QString& where,
           QString* difference) {
    if (ours.isObject()) {
        const QJsonObject object = ours.toObject();
        for (auto at = object.begin(); at != object.end(); ++at) {
            if (!Holds(theirs.toObject().value(at.key()), at.value(), where + u'.' + at.key(),
                       difference)) {
                return false;
            }
        }
        return true;
    }
    if (ours.isArray()) {
        const QJsonArray array = ours.toArray();
        if (theirs.toArray().size() != array.size()) {
            *difference = where + QStringLiteral(": a list of another length");
            return false;
        }
        for (qsizetype i = 0; i < array.size(); ++i) {
            if (!Holds(theirs.toArray().at(i), array.at(i),
                       where + u'[' + QString::number(i) + u']', difference)) {
                return false;
            }
        }
        return true;
    }
    if (theirs != ours) {
        *difference = where + QStringLiteral(": ") +
                      QString::fromUtf8(QJsonDocument(QJsonArray{theirs}).toJson()) +
                      QStringLiteral(" instead of ") +
                      QString::fromUtf8(QJsonDocument(QJsonArray{ours}).toJson());
        return false;
    }
    return true;
}

} // namespace

class ClassSendTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_endpoint;

    std::unique_ptr<window::Trevika> Window() {
        auto trevika = windowtest::ShowWindow();
        if (!trevika) {
            return nullptr;
        }
        trevika->UseProgress(
            Env("TREVIKA_CLASS_STORE", m_folder.filePath(QStringLiteral("p.sqlite"))));
        trevika->ProgressFlow()->Open();
        trevika->ProgressFlow()->ChooseLearner(Env("TREVIKA_CLASS_LEARNER", QStringLiteral("Ана")));
        auto settings = std::make_unique<QSettings>(m_folder.filePath(QStringLiteral("user.conf")),
                                                    QSettings::IniFormat);
        settings->setValue(QString::fromLatin1(window::classkeys::kEndpoint), m_endpoint);
        settings->setValue(QString::fromLatin1(window::classkeys::kAllowHttp), true);
        settings->setValue(QString::fromLatin1(window::classkeys::kSchool),
                           QStringLiteral("https://school.example.bg/"));
        settings->setValue(QString::fromLatin1(window::classkeys::kKey), QStringLiteral("trevika"));
        settings->setValue(QString::fromLatin1(window::classkeys::kSecret),
                           QStringLiteral("s3cret"));
        settings->setValue(QString::fromLatin1(window::classkeys::kAuthority),
                           Env("TREVIKA_CLASS_AUTHORITY"));
        trevika->Class()->UseSettings(
            std::make_unique<window::ClassSettings>(std::move(settings), nullptr));
        return trevika;
    }

    // A whole round, one check in five wrong, with the pause between checks.
    static void PlayRound(window::Trevika& trevika, std::mt19937& random, int pauseMs) {
        const quiz::Quiz& quiz = trevika.Quiz();
        std::bernoulli_distribution wrong(0.2);
        while (trevika.List1(0)->model()->rowCount() > 0) {
            const QString left = windowtest::Item(trevika.List1(0), 0);
            QString right;
            for (const quiz::Pair& pair : quiz.Table().pairs) {
                if (QString::fromStdString(pair.left) == left) {
                    right = QString::fromStdString(pair.right);
                }
            }
            // Its site may have gone with an earlier wrong check.
            const int sites = trevika.List1(1)->model()->rowCount();
            const int row = windowtest::RowOf(trevika.List1(1), right);
            if (row < 0 || (sites > 1 && wrong(random))) {
                right = windowtest::Item(trevika.List1(1), (std::max(row, 0) + 1) % sites);
            }
            windowtest::ClickRow(trevika.List1(0), 0);
            QVERIFY(windowtest::ClickItem(trevika.List1(1), right));
            QTest::qWait(pauseMs);
        }
        // The review, when it opens, is closed; a new round is filled.
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        QApplication::activeModalWidget()->close();
        QTest::mouseClick(trevika.Command1(0), Qt::LeftButton);
    }

    void WaitUntilSent(window::Trevika& trevika) {
        const int seconds = Number("TREVIKA_CLASS_WAIT_S", 120);
        QTRY_VERIFY_WITH_TIMEOUT(trevika.ProgressFlow()->Outbox().waiting == 0, seconds * 1000);
    }

    static QByteArray Get(const QUrl& url) {
        QNetworkAccessManager network;
        window::ClassConfig config;
        config.endpoint = url.toString();
        QNetworkRequest request = window::Sender::Request(config, QString());
        request.setUrl(url);
        QNetworkReply* reply = network.get(request);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        reply->deleteLater();
        return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200
                   ? reply->readAll()
                   : QByteArray();
    }

private slots:
    void initTestCase() {
        m_endpoint = Env("TREVIKA_LRS");
        if (m_endpoint.isEmpty()) {
            QSKIP("no learning record store: tests/check_lrs.py starts one");
        }
    }

    // Plays the rounds and waits until the store has every statement.
    void playsAndSends() {
        auto trevika = Window();
        QVERIFY(trevika);
        std::mt19937 random(static_cast<unsigned>(qHash(Env("TREVIKA_CLASS_LEARNER"))));
        for (int round = 0; round < Number("TREVIKA_CLASS_ROUNDS", 1); ++round) {
            PlayRound(*trevika, random, Number("TREVIKA_CLASS_PAUSE_MS", 0));
        }
        if (!Env("TREVIKA_CLASS_HOLD").isEmpty()) {
            // Everything recorded: the outbox holds it, nothing of it need have gone.
            QTRY_VERIFY(trevika->ProgressFlow()->Outbox().waiting +
                            trevika->ProgressFlow()->Outbox().sent >=
                        61);
            std::printf("recorded\n");
            std::fflush(stdout);
            QTest::qWait(600'000);
        }
        if (!Env("TREVIKA_CLASS_EXPECT_REFUSAL").isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(trevika->Class()->Message() != nullptr, 30'000);
            const QString told = trevika->Class()->Message()->text();
            QVERIFY2(told.contains(Env("TREVIKA_CLASS_EXPECT_REFUSAL")), qPrintable(told));
            QVERIFY(trevika->Class()->Sending().Stopped());
            QCOMPARE(trevika->ProgressFlow()->Outbox().sent, 0);
            return;
        }
        WaitUntilSent(*trevika);
    }

    // Sends what an earlier process left waiting.
    void sendsWhatWaits() {
        auto trevika = Window();
        QVERIFY(trevika);
        WaitUntilSent(*trevika);
    }

    // "Провери връзката" against the store.
    void triesTheConnection() {
        auto trevika = Window();
        QVERIFY(trevika);
        QString told;
        window::ClassConfig config = trevika->Class()->Settings().Config();
        trevika->Class()->Sending().TryConnection(config,
                                                  [&told](const QString& text) { told = text; });
        QTRY_VERIFY(!told.isEmpty());
        QCOMPARE(told, QStringLiteral("Хранилището отговаря: xAPI 1.0.3."));
        config.endpoint = QStringLiteral("http://127.0.0.1:9/xAPI/");
        told.clear();
        trevika->Class()->Sending().TryConnection(config,
                                                  [&told](const QString& text) { told = text; });
        QTRY_VERIFY(!told.isEmpty());
        QVERIFY2(told.startsWith(QStringLiteral("Няма връзка с хранилището: ")), qPrintable(told));
    }

    // "Клас" reads the class of the table from the store, page by page: every learner, every
    // statement of the table once.
    void readsTheClassFromTheStore() {
        auto trevika = Window();
        QVERIFY(trevika);
        trevika->findChild<QAction*>(QStringLiteral("ClassViewAction"))->trigger();
        window::ClassView* view = trevika->Class()->View();
        QVERIFY(view != nullptr);
        QSignalSpy shown(view, &window::ClassView::shown);
        view->ReadStore();
        QVERIFY(shown.wait(60'000));
        QCOMPARE(static_cast<int>(view->Figures().learners.size()),
                 Number("TREVIKA_CLASS_EXPECT_LEARNERS", -1));
        QCOMPARE(static_cast<int>(view->Figures().statements),
                 Number("TREVIKA_CLASS_EXPECT_STATEMENTS", -1));
        view->close();
    }

    // Each statement of the store's file, as the LRS gives it back.
    void givesBackUnchanged() {
        auto trevika = Window();
        QVERIFY(trevika);
        const std::vector<std::string> all = trevika->ProgressFlow()->Statements(QString());
        QVERIFY(!all.empty());
        for (const std::string& text : all) {
            const QJsonObject ours =
                QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
            window::ClassConfig config;
            config.endpoint = m_endpoint;
            QUrl url = config.Endpoint().resolved(QUrl(QStringLiteral("statements")));
            url.setQuery(QStringLiteral("statementId=") +
                         ours.value(QStringLiteral("id")).toString());
            const QJsonObject theirs = QJsonDocument::fromJson(Get(url)).object();
            QString difference;
            QVERIFY2(Holds(theirs, ours, QStringLiteral("statement"), &difference),
                     qPrintable(difference));
        }
    }
};

QTEST_MAIN(ClassSendTest)
#include "ClassSendTest.moc"
