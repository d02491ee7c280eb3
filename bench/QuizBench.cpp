// SPDX-License-Identifier: MIT
// How long the quiz engine takes to fill its lists, judge one pair, and play a whole game.
#include "PickListHelpers.h"
#include "Quiz.h"
#include "SiteTable.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CreateQuiz(benchmark::State& state) {
    for (auto _ : state) {
        quiz::Quiz quiz;
        benchmark::DoNotOptimize(quiz);
    }
}
BENCHMARK(BM_CreateQuiz);

void BM_FillLists(benchmark::State& state) {
    quiz::Quiz quiz;
    for (auto _ : state) {
        quiz.FillLists();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillLists);

void BM_CheckPair(benchmark::State& state) {
    quiz::Quiz quiz;
    quiz.FillLists();
    for (auto _ : state) {
        quiz.Settlements().SetListIndex(30);
        quiz.Sites().SetListIndex(30);
        quiz.CheckPair();
        state.PauseTiming();
        if (quiz.Settlements().ListCount() <= 30) {
            quiz.FillLists();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CheckPair);

void BM_WholeGame(benchmark::State& state) {
    quiz::Quiz quiz;
    for (auto _ : state) {
        quiz.FillLists();
        for (const auto& row : quiz::kSiteTable) {
            quiz.Settlements().SetListIndex(quiztest::IndexOf(quiz.Settlements(), row.settlement));
            quiz.Sites().SetListIndex(quiztest::IndexOf(quiz.Sites(), row.site));
            quiz.ListClick();
        }
        benchmark::DoNotOptimize(quiz.Text());
    }
}
BENCHMARK(BM_WholeGame);

} // namespace
