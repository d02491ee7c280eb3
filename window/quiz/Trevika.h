// SPDX-License-Identifier: MIT
// Trevika, the quiz window: two pick lists, a clear button and the message box.
#pragma once

#include "app/ActionGuard.h"
#include "progress/Progress.h"
#include "quiz/FittingLabel.h"

#include <QFont>
#include <QWidget>
#include <Quiz.h>
#include <array>
#include <functional>
#include <memory>

class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace window {

class ContextMenu;
class ExportMenu;
class MapFlow;
class ClassFlow;
class PaperMenu;
class PickListModel;
class ReviewDialog;
class RoundEnd;
class TableMenu;
class VerdictNotification;
class WindowZoom;

// How the parts meet (ARCHITECTURE.md draws it): the quiz engine (quiz::Quiz) holds the pick
// lists, their selections, the message text and the score. This window is the defined window:
// its controls, their places and colours. List1 members 0 and 1 are views on the engine's
// pick lists through a PickListModel each, and Text1 and the score show the engine's texts. A
// user's action goes to the engine through Run(), the one place where an engine error is
// caught; the engine's changes come back through the models and its observers. Each finished
// check is told to screen readers, and the flows around the window hear of it as pairChecked:
// RoundEnd reviews a round that is over, TableMenu brings tables, and the window hands what
// they ask for to the engine.
class Trevika : public QWidget {
    Q_OBJECT

public:
    explicit Trevika(QWidget* parent = nullptr);
    ~Trevika() override;

    // The font of the window and of every control in it.
    [[nodiscard]] static QFont DefinedFont();

    // The engine as it stands; it changes only through Run.
    [[nodiscard]] const quiz::Quiz& Quiz() const { return m_quiz; }
    [[nodiscard]] QLabel* Label1(int member) const { return m_label1.at(member); }
    [[nodiscard]] QPushButton* Command1(int member) const { return m_command1.at(member); }
    [[nodiscard]] QListView* List1(int member) const { return m_list1.at(member); }
    [[nodiscard]] QPlainTextEdit* Text1(int member) const { return m_text1.at(member); }
    [[nodiscard]] FittingLabel* Score() const { return m_score; }
    [[nodiscard]] VerdictNotification* Notification() const { return m_notification; }
    // The review of the round just over, while it is open.
    [[nodiscard]] ReviewDialog* Review() const;
    [[nodiscard]] TableMenu* Tables() const { return m_tables; }
    [[nodiscard]] ExportMenu* Export() const { return m_export; }
    [[nodiscard]] WindowZoom* Zoom() const { return m_zoom; }
    // The map beside the quiz, and the round played on it.
    [[nodiscard]] MapFlow* Map() const { return m_map; }
    [[nodiscard]] PaperMenu* Paper() const { return m_paper; }
    // Null until UseProgress.
    [[nodiscard]] ClassFlow* Class() const { return m_class; }
    [[nodiscard]] QToolButton* MenuButton() const;
    // Keeps the learner's progress in the file from now on: each check and round, the review
    // of what is due, the progress window.
    void UseProgress(const QString& file, Progress::Clock clock = {});
    // Null until UseProgress.
    [[nodiscard]] Progress* ProgressFlow() const { return m_progress; }
    // Puts a table file in play, or tells in a message box why not (TableMenu::Open).
    bool OpenTable(const QString& path);

    // Runs a user's action on the engine. An error that escapes it must not cross Qt's event
    // loop: it is reported, and the program ends with a failure status.
    void Run(const std::function<void()>& action) { m_guard.Run(action); }
    // The same, for an action on the engine from outside the window.
    void Run(const std::function<void(quiz::Quiz&)>& action) {
        m_guard.Run([this, &action] { action(m_quiz); });
    }

signals:
    // A check is complete: its verdict shown, both items out, the score counted.
    void pairChecked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    void ConnectFlows();
    void LayOut();
    void SetScale(qreal scale);
    void ShowScore();
    void ShowTable();
    void UseTable(std::shared_ptr<const quiz::PairTable> table);
    void PairChecked();

    quiz::Quiz m_quiz;
    std::array<QLabel*, 3> m_label1{};
    std::array<QPushButton*, 1> m_command1{};
    std::array<QListView*, 2> m_list1{};
    std::array<QPlainTextEdit*, 1> m_text1{};
    FittingLabel* m_score = nullptr;
    VerdictNotification* m_notification = nullptr;
    TableMenu* m_tables = nullptr;
    ExportMenu* m_export = nullptr;
    RoundEnd* m_roundEnd = nullptr;
    ContextMenu* m_menu = nullptr;
    WindowZoom* m_zoom = nullptr;
    Progress* m_progress = nullptr;
    MapFlow* m_map = nullptr;
    PaperMenu* m_paper = nullptr;
    ClassFlow* m_class = nullptr;
    ActionGuard m_guard;
    // The models observe the engine's lists, so they must go before the engine: they are
    // members, the last, so they go first after the flows (~Trevika), while the views that a
    // model's end still reaches have the whole window to report to.
    std::array<std::unique_ptr<PickListModel>, 2> m_models;
};

} // namespace window
