// SPDX-License-Identifier: MIT
// The FSRS port replays the schedules of the FSRS project's own implementation
// (tests/data/fsrs/make-reference.js): every review's stability and difficulty to 1e-6, and
// every due time and state exactly.
#include "TestData.h"

#include <Fsrs.h>
#include <gtest/gtest.h>

namespace {

struct Reviewed {
    int card = 0;
    int rating = 0;
    progress::TimeMs time = 0;
    progress::MemoryState after;
};

std::vector<Reviewed> Reference() {
    std::istringstream lines(testdata::FileBytes("fsrs/reference.txt"));
    std::vector<Reviewed> reviews;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        Reviewed r;
        int state = 0;
        fields >> r.card >> r.rating >> r.time >> r.after.stability >> r.after.difficulty >>
            r.after.due >> state >> r.after.learningStep >> r.after.reps >> r.after.lapses;
        EXPECT_FALSE(fields.fail()) << line;
        r.after.state = static_cast<progress::CardState>(state);
        reviews.push_back(r);
    }
    return reviews;
}

TEST(Fsrs, ReplaysTheReferenceSchedules) {
    const std::vector<Reviewed> reviews = Reference();
    ASSERT_EQ(reviews.size(), 2400U);
    progress::MemoryState card;
    int cardNumber = -1;
    for (const Reviewed& r : reviews) {
        if (r.card != cardNumber) {
            card = {};
            cardNumber = r.card;
        }
        SCOPED_TRACE("card " + std::to_string(r.card) + ", review " +
                     std::to_string(card.reps + 1));
        card = progress::Review(card, r.time, static_cast<progress::Rating>(r.rating));
        ASSERT_NEAR(card.stability, r.after.stability, 1e-6);
        ASSERT_NEAR(card.difficulty, r.after.difficulty, 1e-6);
        ASSERT_EQ(card.due, r.after.due);
        ASSERT_EQ(card.state, r.after.state);
        ASSERT_EQ(card.learningStep, r.after.learningStep);
        ASSERT_EQ(card.reps, r.after.reps);
        ASSERT_EQ(card.lapses, r.after.lapses);
        ASSERT_EQ(card.lastReview, r.time);
    }
}

} // namespace
