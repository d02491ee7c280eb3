// SPDX-License-Identifier: MIT
// A learner's made-up history for benchmarks and screenshots: rounds of the built-in table
// played over weeks, better as the days go by.
#pragma once

#include <Store.h>
#include <string>

namespace benchhistory {

// The built-in table's key in the store.
inline constexpr const char* kTable = "built-in";
inline constexpr const char* kLearner = "Ана";

// Plays whole rounds and practice rounds of the built-in table on practice days up to the
// given time, recording every check and every round, until about the number of checks; one
// day in three is left without practice. Returns the checks recorded.
int FillHistory(progress::Store& store, int checks, int days, progress::TimeMs until);

} // namespace benchhistory
