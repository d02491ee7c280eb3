// SPDX-License-Identifier: MIT
// The learner's progress beside the quiz: recording each check and round, the review of what
// is due, the progress window and the teacher's report.
#pragma once

#include "progress/ProgressWindow.h"

#include <Fsrs.h>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <Recorder.h>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMessageBox;

namespace quiz {
class Quiz;
}

namespace window {

class ActionGuard;
class ReviewDialog;

// Owns the store of progress.sqlite, through a progress::Recorder: Open() (start-up calls it
// once the window is on the screen) opens it on the recorder's thread, since a long history
// takes a while to read for damage, and every check, round and choice of learner is written
// there in order, so that no verdict ever waits for the store, its opening or another window.
// What reads the store (the review's lines, the due count, the progress window, the report)
// waits for the writes before it. Closing the window makes the writes still waiting, or cuts
// an opening short that none waits for. Whatever goes wrong with the file, the quiz plays on,
// and the learner is told once per start, in a message box that begins "Напредъкът"; a choice
// of learner that cannot be remembered is told each time.
class Progress final : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<progress::TimeMs()>;
    // The file in the user's application data folder, where start-up keeps it.
    [[nodiscard]] static QString DefaultFile();

    // What the learner does here runs through the window's guard.
    Progress(QWidget* window, const quiz::Quiz& quiz, ActionGuard& guard, QString file,
             Clock clock = {});
    ~Progress() override;

    void Open();
    // "Повторение за днес (N)" and "Напредък…", for the window's context menu.
    [[nodiscard]] QList<QAction*> Actions() const;
    // The due count of the menu's entry, brought up to date.
    void UpdateActions();

    [[nodiscard]] QString Learner();
    // Remembered for the next start. False, telling why, for a name that is empty or longer
    // than 60 characters once trimmed.
    bool ChooseLearner(const QString& name);
    // Writes every learner's pairs of the table in play as CSV; false, telling why, if not. A
    // text that a spreadsheet would take for a formula is written so that it shows as text.
    bool SaveReport(const QString& path);
    [[nodiscard]] ProgressSummary Summary();
    // Every learner the store knows, the one chosen here among them.
    [[nodiscard]] QStringList Learners();
    // The learner's pairs of the table in play that are due now, then the hardest of the rest
    // (as many as the progress window shows), as rows of the table.
    [[nodiscard]] std::vector<std::size_t> ReviewRows(const QString& learner);

    void PairChecked();

    // The school's address, for the learner's account in the statements recorded from now on.
    void SetSchool(const QString& school);
    // The store's key and the title of the table in play.
    [[nodiscard]] std::string TableKey() const;
    [[nodiscard]] std::string TableTitle() const { return Title(); }
    // Whether the store has opened, without waiting for it.
    [[nodiscard]] bool Opened() const { return m_recorder && m_recorder->Opened(); }
    // The oldest statements waiting to be sent, read on the store's thread after the writes
    // before it and handed to got on this one: the window never waits for them. Marking them
    // is a write, in order with the rest.
    void FetchWaiting(std::size_t count,
                      std::function<void(std::vector<progress::OutboxStatement>)> got);
    void MarkSent(const std::vector<long long>& rows);
    void MarkRefused(long long row, const std::string& answer);
    [[nodiscard]] progress::OutboxState Outbox();
    // Every statement of the learner, or of every learner for an empty name, oldest first.
    [[nodiscard]] std::vector<std::string> Statements(const QString& learner);
    // Whether the store's file could be read at all.
    [[nodiscard]] bool Readable();
    void ShowInReview(ReviewDialog* review);
    void StartDueReview();

    // While open.
    [[nodiscard]] ProgressWindow* Window() const;
    [[nodiscard]] QMessageBox* Message() const;

signals:
    // A review round of these rows of the table in play is asked for.
    void dueReviewAsked(const std::vector<std::size_t>& rows);
    // A check or a round and its statement have been written (or failed to be).
    void statementsRecorded();
    // The store has opened (or failed to), or a write failed.
    void storeOpened();

private:
    // Runs the reading on the store once the writes before it are made.
    template <typename Reading> auto Read(Reading reading) {
        Open();
        return m_recorder->Read(reading);
    }
    [[nodiscard]] std::string Title() const;
    [[nodiscard]] std::string RightOf(const std::string& left) const;
    void Recorded();
    [[nodiscard]] std::vector<std::size_t> DueRows();
    void ShowWindow();
    void AskOtherLearner();
    void AskReportFile();
    // The recorder's news, on the window's thread.
    void Notified();
    void TellOnce();
    void TellUnremembered();
    void Tell(const QString& text);

    QWidget* m_window;
    const quiz::Quiz& m_quiz;
    ActionGuard& m_guard;
    QString m_file;
    Clock m_clock;
    std::unique_ptr<progress::Recorder> m_recorder;
    // Empty until the store has said whom it chose last time, or another is chosen.
    QString m_learner;
    bool m_told = false;
    QString m_school;
    // The registration of the round in play, from its first check.
    std::string m_round;
    QAction* m_reviewDue = nullptr;
    QAction* m_open = nullptr;
    QPointer<ProgressWindow> m_progressWindow;
    QPointer<QMessageBox> m_message;
};

} // namespace window
