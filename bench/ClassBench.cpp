// SPDX-License-Identifier: MIT
// The class: "Клас" opening a folder of a class's exported results (30 learners, 100,000
// statements unless TREVIKA_BENCH_STATEMENTS says otherwise), and, where TREVIKA_LRS names a
// learning record store (tests/check_lrs.py bench starts one), sending 10,000 waiting
// statements while the event loop's longest stall is measured.
#include "class/ClassFlow.h"
#include "class/ClassView.h"
#include "class/Sender.h"
#include "progress/Progress.h"
#include "quiz/Trevika.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <Statements.h>
#include <Store.h>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kLearners = 30;

QTemporaryDir* Folder() {
    static QTemporaryDir folder;
    return &folder;
}

int Count(const char* name, int otherwise) {
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : otherwise;
}

// A learner's rounds of the built-in table, a day apart, one answer in four wrong.
std::vector<std::string> Rounds(const std::string& learner, int statements, std::mt19937& random) {
    const quiz::PairTable& table = *quiz::BuiltInTable();
    std::vector<std::string> made;
    progress::TimeMs time = 1'796'811'300'000 - 200 * progress::kDayMs;
    while (static_cast<int>(made.size()) < statements) {
        const std::string round = statements::NewUuid();
        int right = 0;
        for (const quiz::Pair& pair : table.pairs) {
            statements::Answer answer{statements::NewUuid(),
                                      round,
                                      {"https://school.bg/", learner},
                                      {"built-in", table.title},
                                      pair.left,
                                      pair.right,
                                      pair.right,
                                      std::bernoulli_distribution(0.75)(random),
                                      time += 5000};
            right += answer.success ? 1 : 0;
            made.push_back(statements::AnsweredStatement(answer));
        }
        made.push_back(statements::CompletedStatement({statements::NewUuid(),
                                                       round,
                                                       {"https://school.bg/", learner},
                                                       {"built-in", table.title},
                                                       right,
                                                       static_cast<int>(table.pairs.size()),
                                                       time}));
        time += progress::kDayMs;
    }
    return made;
}

QString ClassFolder() {
    static const QString folder = [] {
        QString path = Folder()->filePath(QStringLiteral("class"));
        QDir().mkpath(path);
        std::mt19937 random(5);
        const int each = Count("TREVIKA_BENCH_STATEMENTS", 100'000) / kLearners;
        for (int learner = 1; learner <= kLearners; ++learner) {
            QFile file(path + QStringLiteral("/%1.json").arg(learner));
            if (file.open(QIODevice::WriteOnly)) {
                file.write(QByteArray::fromStdString(statements::JsonArray(
                    Rounds("Ученик " + std::to_string(learner), each, random))));
            }
        }
        return path;
    }();
    return folder;
}

std::unique_ptr<window::Trevika> Window(const QString& store, const QString& endpoint = {}) {
    auto trevika = std::make_unique<window::Trevika>();
    trevika->show();
    trevika->UseProgress(store);
    trevika->ProgressFlow()->Open();
    auto settings =
        std::make_unique<QSettings>(store + QStringLiteral(".conf"), QSettings::IniFormat);
    settings->setValue(QString::fromLatin1(window::classkeys::kEndpoint), endpoint);
    settings->setValue(QString::fromLatin1(window::classkeys::kAllowHttp), true);
    trevika->Class()->UseSettings(
        std::make_unique<window::ClassSettings>(std::move(settings), nullptr));
    return trevika;
}

void BM_OpenClassFolder(benchmark::State& state) {
    const QString folder = ClassFolder();
    auto trevika = Window(Folder()->filePath(QStringLiteral("teacher.sqlite")));
    std::size_t read = 0;
    for (auto _ : state) {
        trevika->findChild<QAction*>(QStringLiteral("ClassViewAction"))->trigger();
        window::ClassView* view = trevika->Class()->View();
        view->AddFolder(folder);
        read = view->Figures().statements;
        view->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["statements"] = static_cast<double>(read);
}
BENCHMARK(BM_OpenClassFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

// 10,000 statements waiting, sent to the store while a timer ticks every millisecond: the
// longest gap between ticks is the event loop's longest stall.
void BM_SendWaiting(benchmark::State& state) {
    const QString endpoint = qEnvironmentVariable("TREVIKA_LRS");
    if (endpoint.isEmpty()) {
        state.SkipWithError("no learning record store: tests/check_lrs.py bench starts one");
        return;
    }
    const int waiting = Count("TREVIKA_BENCH_WAITING", 10'000);
    double longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString file = Folder()->filePath(
            QStringLiteral("send-%1.sqlite").arg(QDateTime::currentMSecsSinceEpoch()));
        {
            progress::Store store(file.toStdString(), QDateTime::currentMSecsSinceEpoch());
            std::mt19937 random(9);
            const std::vector<std::string> made = Rounds("Изпращащ", waiting, random);
            for (std::size_t i = 0; i < made.size() && static_cast<int>(i) < waiting; ++i) {
                store.RecordCheck("Изпращащ", "built-in", {"Ямбол", "Кабиле"}, true,
                                  QDateTime::currentMSecsSinceEpoch(),
                                  {statements::NewUuid(), made[i]});
            }
        }
        // The window painted and the store open first: the stalls measured are the sending's.
        auto trevika = Window(file);
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 1000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        state.ResumeTiming();
        auto settings =
            std::make_unique<QSettings>(file + QStringLiteral(".conf"), QSettings::IniFormat);
        settings->setValue(QString::fromLatin1(window::classkeys::kEndpoint), endpoint);
        settings->setValue(QString::fromLatin1(window::classkeys::kAllowHttp), true);
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, static_cast<double>(now - last));
            last = now;
        });
        tick.start(1);
        trevika->Class()->UseSettings(
            std::make_unique<window::ClassSettings>(std::move(settings), nullptr));
        window::Sender& sender = trevika->Class()->Sending();
        while (sender.State() != QStringLiteral("Всичко е изпратено.") &&
               clock.elapsed() < 300'000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        if (sender.State() != QStringLiteral("Всичко е изпратено.")) {
            state.SkipWithError(sender.State().toStdString().c_str());
        }
    }
    state.counters["longest_stall_ms"] = longest;
}
BENCHMARK(BM_SendWaiting)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
