// SPDX-License-Identifier: MIT
// When to go over a pair again: the FSRS-6 memory model with its published defaults.
#pragma once

#include <cstdint>

namespace progress {

// Milliseconds since 1970-01-01 00:00 UTC.
using TimeMs = std::int64_t;

inline constexpr TimeMs kMinuteMs = 60'000;
inline constexpr TimeMs kDayMs = 86'400'000;

enum class Rating { kAgain = 1, kHard = 2, kGood = 3, kEasy = 4 };
enum class CardState { kNew = 0, kLearning = 1, kReview = 2, kRelearning = 3 };

// What the model knows of one pair for one learner. A pair never reviewed is New, with no
// stability and no difficulty.
struct MemoryState {
    double stability = 0;  // days until recall falls to 90 %
    double difficulty = 0; // 1 (easy) to 10 (hard)
    CardState state = CardState::kNew;
    int learningStep = 0;
    int reps = 0;
    int lapses = 0;
    TimeMs due = 0;
    TimeMs lastReview = 0; // 0: never reviewed
};

// FSRS-6 as the open-spaced-repetition project publishes it (ts-fsrs 5): default parameters,
// desired retention 0.9, learning steps of 1 and 10 minutes, a relearning step of 10 minutes,
// intervals of at most 36500 days, and no fuzz, so that a schedule is the same every time.
// Intermediate values are rounded to 8 decimals where the reference rounds them, so that the
// two agree to the millisecond.
[[nodiscard]] MemoryState Review(const MemoryState& before, TimeMs now, Rating rating);

} // namespace progress
