// SPDX-License-Identifier: MIT
// The progress store under a long history (100,000 checks unless TREVIKA_BENCH_CHECKS says
// otherwise): opening it, recording one check with its statement for the outbox, with its
// median and 99th percentile, and building the progress window.
#include "ProgressHistory.h"
#include "quiz/Trevika.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <Statements.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <vector>

namespace {

QTemporaryDir* Folder() {
    static QTemporaryDir folder;
    return &folder;
}

// The store with its history, made once for all the benchmarks.
QString HistoryFile() {
    static const QString file = [] {
        QString path = Folder()->filePath(QStringLiteral("progress.sqlite"));
        progress::Store store(path.toStdString(), QDateTime::currentMSecsSinceEpoch());
        const int checks = qEnvironmentVariableIsSet("TREVIKA_BENCH_CHECKS")
                               ? qEnvironmentVariableIntValue("TREVIKA_BENCH_CHECKS")
                               : 100'000;
        benchhistory::FillHistory(store, checks, 365, QDateTime::currentMSecsSinceEpoch());
        return path;
    }();
    return file;
}

void BM_RecordCheck(benchmark::State& state) {
    progress::Store store(HistoryFile().toStdString(), QDateTime::currentMSecsSinceEpoch());
    std::vector<double> micros;
    int n = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        // As the window records it: the statement is made with the check.
        statements::Answer answer;
        answer.id = statements::NewUuid();
        answer.round = statements::NewUuid();
        answer.learner = {"https://school.bg/", benchhistory::kLearner};
        answer.table = {benchhistory::kTable, "География - национални туристически обекти"};
        answer.left = "Ямбол";
        answer.right = answer.chosen = "Античен град \"Кабиле\"";
        answer.success = ++n % 2 == 0;
        answer.time = QDateTime::currentMSecsSinceEpoch();
        store.RecordCheck(benchhistory::kLearner, benchhistory::kTable,
                          {answer.left, answer.chosen}, answer.success, answer.time,
                          {answer.id, statements::AnsweredStatement(answer)});
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    if (!store.Recording()) {
        state.SkipWithError(store.Message().c_str());
    }
}
BENCHMARK(BM_RecordCheck)->Unit(benchmark::kMicrosecond);

// Opening the store, which reads the whole file for damage: done on a thread of its own once
// the window's first frame is painted.
void BM_OpenStore(benchmark::State& state) {
    const std::string file = HistoryFile().toStdString();
    for (auto _ : state) {
        const progress::Store store(file, QDateTime::currentMSecsSinceEpoch());
        benchmark::DoNotOptimize(store.Recording());
    }
}
BENCHMARK(BM_OpenStore)->Unit(benchmark::kMillisecond);

// What opening "Напредък…" costs: the figures from the store, and the window made of them.
void BM_ProgressWindow(benchmark::State& state) {
    window::Trevika trevika;
    trevika.UseProgress(HistoryFile());
    window::Progress& progress = *trevika.ProgressFlow();
    progress.Open();
    for (auto _ : state) {
        window::ProgressWindow shown(progress.Summary(), &trevika);
        benchmark::DoNotOptimize(shown.Lines());
    }
}
BENCHMARK(BM_ProgressWindow)->Unit(benchmark::kMillisecond);

} // namespace
