// SPDX-License-Identifier: MIT
// The learner's progress beside the quiz: recording each check and round, the review of what
// is due, the progress window and the teacher's report.
#pragma once

#include "ProgressWindow.h"

#include <Fsrs.h>
#include <QList>
#include <QObject>
#include <QPointer>
#include <Store.h>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class QAction;
class QMessageBox;

// namespace progress
namespace quiz {
class Quiz;
}

namespace window {

class ReviewDialog;

// Owns the store of progress.sqlite. Open() (start-up calls it once the window is on the screen)
// opens it on a thread of its own, since a long history takes a while to read for damage;
// whatever needs the store first waits for it, and closing the window cuts the opening short. Each
// check is recorded right after its verdict is shown, from the event loop, so that it never delays
// the verdict; a round's end rates its pairs before its review opens. Whatever goes wrong with the
// file, the quiz plays on, and the learner is told once per start, in a message box that begins
// "Напредъкът".
class Progress final : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<progress::TimeMs()>;
    // The file in the user's application data folder, where start-up keeps it.
    [[nodiscard]] static QString DefaultFile();

    Progress(QWidget* window, const quiz::Quiz& quiz, QString file, Clock clock = {});
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
    // Writes every learner's pairs of the table in play as CSV; false, telling why, if not.
    bool SaveReport(const QString& path);
    [[nodiscard]] ProgressSummary Summary();

    void PairChecked();
    void ShowInReview(ReviewDialog* review);
    void StartDueReview();

    // While open.
    [[nodiscard]] ProgressWindow* Window() const;
    [[nodiscard]] QMessageBox* Message() const;

signals:
    // A review round of these rows of the table in play is asked for.
    void dueReviewAsked(const std::vector<std::size_t>& rows);

private:
    progress::Store& Store();
    [[nodiscard]] std::string Title() const;
    [[nodiscard]] std::vector<std::size_t> DueRows();
    void ShowWindow();
    void AskOtherLearner();
    void AskReportFile();
    void Opened();
    void TellOnce();
    void Tell(const QString& text);

    QWidget* m_window;
    const quiz::Quiz& m_quiz;
    QString m_file;
    Clock m_clock;
    std::unique_ptr<progress::Store> m_store;
    std::thread m_opening;
    std::unique_ptr<progress::Store> m_opened; // by the thread, until Opened() takes it
    progress::Cancellation m_cancel;
    QString m_learner;
    bool m_told = false;
    QAction* m_reviewDue = nullptr;
    QAction* m_open = nullptr;
    QPointer<ProgressWindow> m_progressWindow;
    QPointer<QMessageBox> m_message;
};

} // namespace window
