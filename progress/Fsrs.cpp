// SPDX-License-Identifier: MIT
#include "Fsrs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace progress {
namespace {

constexpr std::array<double, 21> kW = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                       0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                       1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double kRetention = 0.9;
constexpr int kMaximumInterval = 36500;
constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500.0;
constexpr std::array<int, 2> kLearningSteps = {1, 10}; // minutes
constexpr std::array<int, 1> kRelearningSteps = {10};
constexpr int kMinutesPerDay = 1440;

// JavaScript's Math.round: halves go up, also below zero.
double JsRound(double value) {
    return std::floor(value + 0.5);
}

double RoundTo8(double value) {
    return JsRound(value * 1e8) / 1e8;
}

double Decay() {
    return -kW[20];
}

double Factor() {
    return RoundTo8(std::exp(std::log(0.9) / Decay()) - 1.0);
}

double IntervalModifier() {
    return RoundTo8((std::pow(kRetention, 1 / Decay()) - 1) / Factor());
}

double Retrievability(double elapsedDays, double stability) {
    return RoundTo8(std::pow(1 + Factor() * elapsedDays / stability, Decay()));
}

int Grade(Rating rating) {
    return static_cast<int>(rating);
}

double InitStability(int grade) {
    return std::max(kW[grade - 1], 0.1);
}

double InitDifficulty(int grade) {
    return RoundTo8(kW[4] - std::exp((grade - 1) * kW[5]) + 1);
}

double NextDifficulty(double difficulty, int grade) {
    const double delta = -kW[6] * (grade - 3);
    const double next = difficulty + RoundTo8(delta * (10 - difficulty) / 9);
    const double reverted = RoundTo8(kW[7] * InitDifficulty(4) + (1 - kW[7]) * next);
    return std::clamp(reverted, 1.0, 10.0);
}

double RecallStability(double d, double s, double r, int grade) {
    const double hardPenalty = grade == 2 ? kW[15] : 1;
    const double easyBonus = grade == 4 ? kW[16] : 1;
    return RoundTo8(
        std::clamp(s * (1 + std::exp(kW[8]) * (11 - d) * std::pow(s, -kW[9]) *
                                (std::exp((1 - r) * kW[10]) - 1) * hardPenalty * easyBonus),
                   kMinStability, kMaxStability));
}

double ForgetStability(double d, double s, double r) {
    return RoundTo8(std::clamp(kW[11] * std::pow(d, -kW[12]) * (std::pow(s + 1, kW[13]) - 1) *
                                   std::exp((1 - r) * kW[14]),
                               kMinStability, kMaxStability));
}

double ShortTermStability(double s, int grade) {
    double sinc = std::pow(s, -kW[19]) * std::exp(kW[17] * (grade - 3 + kW[18]));
    if (grade >= 2) {
        sinc = std::max(sinc, 1.0);
    }
    return RoundTo8(std::clamp(s * sinc, kMinStability, kMaxStability));
}

// The model's step: the new difficulty and stability after a review elapsedDays after the
// one before (r, the retrievability, is worked out unless given).
void NextMemory(MemoryState& card, int elapsedDays, int grade, double r = -1) {
    const double d = card.difficulty;
    const double s = card.stability;
    if (d == 0 && s == 0) {
        card.difficulty = std::clamp(InitDifficulty(grade), 1.0, 10.0);
        card.stability = InitStability(grade);
        return;
    }
    if (r < 0) {
        r = Retrievability(elapsedDays, s);
    }
    if (elapsedDays == 0) {
        card.stability = ShortTermStability(s, grade);
    } else if (grade == 1) {
        const double floor = RoundTo8(s / std::exp(kW[17] * kW[18]));
        card.stability = std::clamp(floor, kMinStability, ForgetStability(d, s, r));
    } else {
        card.stability = RecallStability(d, s, r, grade);
    }
    card.difficulty = NextDifficulty(d, grade);
}

int NextInterval(double stability) {
    const double days = JsRound(stability * IntervalModifier());
    return static_cast<int>(std::min(std::max(1.0, days), double{kMaximumInterval}));
}

// Calendar days between two times, by their dates in UTC.
int ElapsedDays(TimeMs from, TimeMs to) {
    const auto day = [](TimeMs time) {
        return time >= 0 ? time / kDayMs : (time - kDayMs + 1) / kDayMs;
    };
    return static_cast<int>(day(to) - day(from));
}

// The (re)learning step for a grade: minutes until the pair is due, and the next step; zero
// minutes when the grade leaves the steps.
struct Step {
    int minutes = 0;
    int next = 0;
};

template <std::size_t N>
Step StepFor(const std::array<int, N>& steps, CardState state, int current, int grade) {
    if (static_cast<std::size_t>(current) >= N) {
        return {};
    }
    if (state == CardState::kReview) {
        return grade == 1 ? Step{steps[static_cast<std::size_t>(current)], 0} : Step{};
    }
    switch (grade) {
    case 1:
        return {steps[0], 0};
    case 2:
        return {N == 1 ? static_cast<int>(JsRound(steps[0] * 1.5))
                       : static_cast<int>(JsRound((steps[0] + steps[1]) / 2.0)),
                current};
    case 3:
        if (static_cast<std::size_t>(current) + 1 < N) {
            return {steps[static_cast<std::size_t>(current) + 1], current + 1};
        }
        return {};
    default:
        return {};
    }
}

Step LearningStep(CardState state, int current, int grade) {
    return state == CardState::kRelearning || state == CardState::kReview
               ? StepFor(kRelearningSteps, state, current, grade)
               : StepFor(kLearningSteps, state, current, grade);
}

// Due after a learning step, or else, on leaving the steps, in whole days.
void ApplySteps(MemoryState& card, const MemoryState& before, TimeMs now, int grade,
                CardState stepState) {
    const Step step = LearningStep(before.state, before.learningStep, grade);
    if (step.minutes > 0 && step.minutes < kMinutesPerDay) {
        card.learningStep = step.next;
        card.state = stepState;
        card.due = now + step.minutes * kMinuteMs;
        return;
    }
    card.state = CardState::kReview;
    if (step.minutes >= kMinutesPerDay) {
        card.learningStep = step.next;
        card.due = now + step.minutes * kMinuteMs;
    } else {
        card.learningStep = 0;
        card.due = now + NextInterval(card.stability) * kDayMs;
    }
}

} // namespace

MemoryState Review(const MemoryState& before, TimeMs now, Rating rating) {
    const int grade = Grade(rating);
    if (grade < 1 || grade > 4) {
        throw std::invalid_argument("progress::Review: no such rating");
    }
    const int elapsed = before.state != CardState::kNew && before.lastReview != 0
                            ? ElapsedDays(before.lastReview, now)
                            : 0;
    if (elapsed < 0) {
        throw std::invalid_argument("progress::Review: a review before the one it follows");
    }
    MemoryState card = before;
    card.reps = before.reps + 1;
    card.lastReview = now;
    switch (before.state) {
    case CardState::kNew:
        NextMemory(card, elapsed, grade);
        ApplySteps(card, before, now, grade, CardState::kLearning);
        break;
    case CardState::kLearning:
    case CardState::kRelearning:
        NextMemory(card, elapsed, grade);
        ApplySteps(card, before, now, grade, before.state);
        break;
    case CardState::kReview: {
        const double r = Retrievability(elapsed, before.stability);
        if (grade == 1) {
            NextMemory(card, elapsed, grade, r);
            ApplySteps(card, before, now, grade, CardState::kRelearning);
            card.lapses = before.lapses + 1;
            break;
        }
        // Hard, Good and Easy are spaced apart: Hard no later than Good, Good at least a day
        // after Hard, Easy at least a day after Good.
        std::array<MemoryState, 3> next{before, before, before};
        std::array<int, 3> days{};
        for (int g = 2; g <= 4; ++g) {
            NextMemory(next[g - 2], elapsed, g, r);
            days[g - 2] = NextInterval(next[g - 2].stability);
        }
        days[0] = std::min(days[0], days[1]);
        days[1] = std::max(days[1], days[0] + 1);
        days[2] = std::max(days[2], days[1] + 1);
        card.stability = next[grade - 2].stability;
        card.difficulty = next[grade - 2].difficulty;
        card.state = CardState::kReview;
        card.learningStep = 0;
        card.due = now + days[grade - 2] * kDayMs;
        break;
    }
    }
    return card;
}

} // namespace progress
