// SPDX-License-Identifier: MIT
// The main of the benchmarks that make Qt windows: an application first, then the benchmarks.
#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
    const QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
