// SPDX-License-Identifier: MIT
// "Клас": the teacher's view of the class for the table in play, from the school's learning
// record store, from folders of exported files, or both.
#pragma once

#include "class/ClassSettings.h"

#include <ClassFigures.h>
#include <QDialog>
#include <QPointer>
#include <QSet>
#include <vector>

class QLabel;
class QListWidget;
class QNetworkReply;
class QPushButton;
class QTableWidget;

namespace window {

class ActionGuard;
class Progress;
class Sender;

class ClassView final : public QDialog {
    Q_OBJECT
public:
    ClassView(ClassConfig config, Progress& progress, Sender& sender, ActionGuard& guard,
              QWidget* parent);
    ~ClassView() override;

    // Reads the statements of every *.json file in the folder; false, telling why, if one
    // cannot be read (what was read before it stays).
    bool AddFolder(const QString& folder);
    // Reads the table's statements from the LRS, page by page; the figures follow when the
    // last page is in.
    void ReadStore();
    // Writes the table of learners as CSV for a gradebook; false, telling why, if not.
    bool SaveCsv(const QString& path);
    [[nodiscard]] const statements::ClassFigures& Figures() const { return m_figures; }

signals:
    // The figures are shown anew.
    void shown();

private:
    void Add(std::vector<statements::Record> records);
    void Show();
    void ReadPage(const QUrl& url);
    void AskFolder();
    void AskCsv();
    void Tell(const QString& text);

    ClassConfig m_config;
    Progress& m_progress;
    Sender& m_sender;
    ActionGuard& m_guard;
    std::string m_table;
    std::string m_tableTitle;
    std::vector<statements::Record> m_records;
    statements::ClassFigures m_figures;
    QPointer<QNetworkReply> m_reply;
    QLabel* m_source;
    QTableWidget* m_learners;
    QListWidget* m_hardest;
    QPushButton* m_fromStore;
};

} // namespace window
