// SPDX-License-Identifier: MIT
// The end of a round: the review of what it missed, and the learner's answer to it.
#pragma once

#include "review/ReviewDialog.h"

#include <QObject>
#include <QPointer>

namespace quiz {
class Quiz;
}

namespace window {

// Opens a ReviewDialog over the window when a round is over, and tells which way the learner
// went on: practiceAsked or newRoundAsked; closing it asks for nothing.
class RoundEnd final : public QObject {
    Q_OBJECT

public:
    RoundEnd(QWidget* window, const quiz::Quiz& quiz);

    // Reviews the round if that check was its last.
    void PairChecked();
    // Closes an open review unanswered, as when a new table ends the round it was of: its
    // answer must not reach the next round.
    void Dismiss();
    // The review, while it is open.
    [[nodiscard]] ReviewDialog* Dialog() const {
        return m_review != nullptr && m_review->isVisible() ? m_review.data() : nullptr;
    }

signals:
    // The review is made and about to open: what else it should show may be added.
    void reviewOpening(ReviewDialog* review);
    void practiceAsked();
    void newRoundAsked();
    void dueReviewAsked();

private:
    QWidget* m_window;
    const quiz::Quiz& m_quiz;
    QPointer<ReviewDialog> m_review;
};

} // namespace window
