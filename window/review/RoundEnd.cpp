// SPDX-License-Identifier: MIT
#include "review/RoundEnd.h"

#include "speech/VerdictNotification.h"

#include <QLabel>
#include <Quiz.h>

namespace window {

RoundEnd::RoundEnd(QWidget* window, const quiz::Quiz& quiz)
    : QObject(window), m_window(window), m_quiz(quiz) {}

void RoundEnd::PairChecked() {
    if (!m_quiz.RoundOver()) {
        return;
    }
    QStringList missed;
    for (const std::string& line : m_quiz.MissedLines()) {
        missed << QString::fromStdString(line);
    }
    Dismiss();
    m_review = new ReviewDialog(QString::fromStdString(m_quiz.ScoreText()), missed, m_window);
    m_review->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_review, &QDialog::finished, this, [this](int result) {
        if (result == ReviewDialog::kPractise) {
            emit practiceAsked();
        } else if (result == ReviewDialog::kNewRound) {
            emit newRoundAsked();
        } else if (result == ReviewDialog::kReviewDue) {
            emit dueReviewAsked();
        }
    });
    emit reviewOpening(m_review);
    m_review->open();
    AnnounceOpening(m_review, m_review->Score()->text());
}

void RoundEnd::Dismiss() {
    if (m_review != nullptr) {
        m_review->disconnect(this);
        m_review->reject();
    }
}

} // namespace window
