// SPDX-License-Identifier: MIT
// The progress window "Напредък": the learner's figures for the table in play, a month's chart,
// the hardest pairs, and the buttons to change learner and to write a teacher's report.
#pragma once

#include "progress/ProgressChart.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace window {

// Texts the progress flow's messages and the review share with the window.
inline constexpr const char* kProgressTitle = "Напредък";
inline constexpr const char* kLearnedLine = "Научени: %1 от %2";

// What the window shows, worked out by Progress.
struct ProgressSummary {
    QString learner;
    QString table;
    int learned = 0;
    int pairs = 0;
    int due = 0;
    int answersToday = 0;
    int rightToday = 0;
    QList<ChartDay> days;
    QStringList hardest; // "Асеновград – Бачковски манастир: 3 грешки"
    QString file;
    QString fault; // why nothing is recorded, if nothing is
};

class ProgressWindow final : public QDialog {
    Q_OBJECT
public:
    ProgressWindow(const ProgressSummary& summary, QWidget* parent);
    void Show(const ProgressSummary& summary);
    // The lines at the top, in order, as a screen reader reads them.
    [[nodiscard]] QStringList Lines() const;

signals:
    void otherLearnerAsked();
    void reportAsked();

protected:
    // Ctrl+C, where no text is selected, copies the lines at the top, for a teacher's notes.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<QLabel*> m_lines;
    QLabel* m_file = nullptr;
    QLabel* m_fault = nullptr;
    ProgressChart* m_chart = nullptr;
    QListWidget* m_hardest = nullptr;
};

} // namespace window
