// SPDX-License-Identifier: MIT
// The review at the end of a round: its score, and the right pairs of the rows it missed.
#pragma once

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace window {

// The review's button for the pairs due, and the menu's entry that does the same.
inline constexpr const char* kReviewDueCaption = "Повторение за днес (%1)";

// Window-modal over the quiz; it only tells which way the learner went on, as its result.
// Escape and "Затвори" close it with Rejected.
class ReviewDialog final : public QDialog {
    Q_OBJECT

public:
    enum Result { kPractise = QDialog::Accepted + 1, kNewRound, kReviewDue };

    // With no missed lines, the round was all right, and there is nothing to practise.
    ReviewDialog(const QString& score, const QStringList& missed, QWidget* parent);

    [[nodiscard]] QLabel* Score() const { return m_score; }
    // The right pairs of the missed rows; null when none were missed.
    [[nodiscard]] QListWidget* Missed() const { return m_missed; }
    // Null where the dialog has no such button.
    [[nodiscard]] QPushButton* Practise() const { return m_practise; }
    [[nodiscard]] QPushButton* NewRound() const { return m_newRound; }
    [[nodiscard]] QPushButton* Close() const { return m_close; }
    // The learner's progress under the score: "Научени: L от M", and with pairs due, a
    // button for their review round, never the default.
    void ShowProgress(const QString& learned, int due);
    [[nodiscard]] QLabel* Learned() const { return m_learned; }
    [[nodiscard]] QPushButton* ReviewDue() const { return m_reviewDue; }

private:
    QLabel* m_score = nullptr;
    QListWidget* m_missed = nullptr;
    QPushButton* m_practise = nullptr;
    QPushButton* m_newRound = nullptr;
    QPushButton* m_close = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QLabel* m_learned = nullptr;
    QPushButton* m_reviewDue = nullptr;
};

} // namespace window
