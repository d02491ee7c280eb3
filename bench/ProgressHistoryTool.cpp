// SPDX-License-Identifier: MIT
// Writes a made-up history into a progress store, for start-up timings and screenshots:
//   progress_history FILE CHECKS DAYS
#include "ProgressHistory.h"

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("usage: progress_history FILE CHECKS DAYS\n", stderr);
        return 2;
    }
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    progress::Store store(argv[1], now);
    store.ChooseLearner(benchhistory::kLearner);
    const int recorded =
        benchhistory::FillHistory(store, std::stoi(argv[2]), std::stoi(argv[3]), now);
    std::printf("%d checks in %s\n", recorded, argv[1]);
    return store.Recording() ? 0 : 1;
}
