// SPDX-License-Identifier: MIT
// How long the quiz engine takes to fill its lists, judge one pair, and play a whole game, and
// to read a table of 1000 pairs and fill the lists with it.
#include "PickListHelpers.h"
#include "Quiz.h"
#include "SiteTable.h"
#include "TableFile.h"

#include <Spreadsheet.h>
#include <benchmark/benchmark.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>

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

// The most a table may hold: 1000 pairs of made-up Bulgarian words, with notes.
const std::string& LargestTableFile() {
    static const std::string file = [] {
        const std::u8string letters = u8"абвгдежзийклмнопрстуфхцчшщъьюя";
        std::mt19937 random(1000);
        const auto word = [&] {
            std::string text;
            for (std::size_t length = 4 + random() % 8; length > 0; --length) {
                const std::size_t letter = random() % (letters.size() / 2);
                text.append(reinterpret_cast<const char*>(letters.data()) + 2 * letter, 2);
            }
            return text;
        };
        std::string bytes = "селище;забележителност;област\r\n";
        for (int pair = 0; pair < 1000; ++pair) {
            bytes += word() + " " + word() + ";" + word() + " „" + word() + "“;" + word() + "\r\n";
        }
        return bytes;
    }();
    return file;
}

void BM_ReadTable1000(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(quiz::ReadTable(LargestTableFile(), "bench"));
    }
}
BENCHMARK(BM_ReadTable1000);

void BM_UseTable1000(benchmark::State& state) {
    const auto table = std::make_shared<const quiz::PairTable>(
        std::get<quiz::PairTable>(quiz::ReadTable(LargestTableFile(), "bench")));
    quiz::Quiz quiz;
    for (auto _ : state) {
        quiz.UseTable(table);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_UseTable1000);

// The built-in table's 60 rows as LibreOffice saves them, unpacked and read whole.
void BM_ReadSpreadsheet(benchmark::State& state, const char* name) {
    std::ifstream file(std::string(TREVIKA_TEST_DATA) + "/" + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    for (auto _ : state) {
        benchmark::DoNotOptimize(sheets::ReadTableFile(bytes, "bench"));
    }
}
BENCHMARK_CAPTURE(BM_ReadSpreadsheet, xlsx, "libreoffice-built-in.xlsx");
BENCHMARK_CAPTURE(BM_ReadSpreadsheet, ods, "libreoffice-built-in.ods");

} // namespace
