// SPDX-License-Identifier: MIT
// Trevika, the quiz window: two pick lists, a clear button and the message box.
#pragma once

#include "ReviewDialog.h"
#include "TableMenu.h"

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <Quiz.h>
#include <array>
#include <functional>
#include <memory>

class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace window {

class ContextMenu;
class PickListModel;
class VerdictNotification;

// How the parts meet: the quiz engine (quiz::Quiz) holds the pick lists, their selections
// and the message text. List1 members 0 and 1 are views on the engine's pick lists through
// a PickListModel each, and Text1 shows the engine's text. A user's action goes to the
// engine through Run(), which is also the one place where an engine error is caught; the
// engine's own changes come back through the models and the engine's observers: the text,
// the score, and each finished check, whose verdict goes to screen readers as a notification.
// The check that ends a round opens a ReviewDialog of what the round missed; the learner's
// answer to it goes to the engine like any other action. Tables of pairs come from the
// TableMenu, which the context menu, its shortcuts, a dropped file and the command line reach;
// the headings follow the table in play.
class Trevika : public QWidget {
    Q_OBJECT

public:
    explicit Trevika(QWidget* parent = nullptr);
    ~Trevika() override;

    // The font of the window and of every control in it.
    [[nodiscard]] static QFont DefinedFont();

    [[nodiscard]] quiz::Quiz& Quiz() { return m_quiz; }
    [[nodiscard]] QLabel* Label1(int member) const { return m_label1.at(member); }
    [[nodiscard]] QPushButton* Command1(int member) const { return m_command1.at(member); }
    [[nodiscard]] QListView* List1(int member) const { return m_list1.at(member); }
    [[nodiscard]] QPlainTextEdit* Text1(int member) const { return m_text1.at(member); }
    [[nodiscard]] QLabel* Score() const { return m_score; }
    [[nodiscard]] VerdictNotification* Notification() const { return m_notification; }
    // The review of the round just over, while it is open.
    [[nodiscard]] ReviewDialog* Review() const {
        return m_review != nullptr && m_review->isVisible() ? m_review.data() : nullptr;
    }

    [[nodiscard]] TableMenu* Tables() const { return m_tables; }
    // Puts a table file in play, or tells in a message box why not (TableMenu::Open).
    bool OpenTable(const QString& path) { return m_tables->Open(path); }

    // Runs a user's action on the engine. An error that escapes it must not cross Qt's event
    // loop: it is reported, and the program ends with a failure status.
    void Run(const std::function<void()>& action);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateControls();
    void Load();
    void List1Click(int member);
    void Command1Click(int member);
    void ShowListIndex(int member, int index);
    void ShowText();
    void ShowScore();
    void ShowHeadings();
    void UseTable(std::shared_ptr<const quiz::PairTable> table);
    void PairChecked();
    void ReviewRound();
    void ReviewAnswered(int result);

    quiz::Quiz m_quiz;
    std::array<QLabel*, 3> m_label1{};
    std::array<QPushButton*, 1> m_command1{};
    std::array<QListView*, 2> m_list1{};
    std::array<QPlainTextEdit*, 1> m_text1{};
    QLabel* m_score = nullptr;
    VerdictNotification* m_notification = nullptr;
    QPointer<ReviewDialog> m_review;
    TableMenu* m_tables = nullptr;
    ContextMenu* m_menu = nullptr;
    // Set while the engine works, so that the selection changes it makes itself in the views
    // are not taken for the user's.
    bool m_running = false;
    bool m_failed = false;
    // The models observe the engine's lists, so they must go before the engine, and Qt deletes
    // children only after every member: they are members, the last, so they go first, while
    // the views that a model's end still reaches have the whole window to report to.
    std::array<std::unique_ptr<PickListModel>, 2> m_models;
};

} // namespace window
