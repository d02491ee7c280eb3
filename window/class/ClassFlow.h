// SPDX-License-Identifier: MIT
// The class: sending each learner's statements to the school's learning record store, the
// settings "Клас…", exporting the results to a file, and the teacher's view of the class.
#pragma once

#include "class/ClassSettings.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>

class QAction;
class QMessageBox;
class QWidget;

namespace window {

class ActionGuard;
class ClassDialog;
class ClassView;
class Progress;
class Sender;

// Owns the settings and the Sender. Sending starts once the progress store is open (after the
// first frame), and wakes at each statement recorded; nothing is sent, and no network object
// made, with no store's address set.
class ClassFlow final : public QObject {
    Q_OBJECT
public:
    ClassFlow(QWidget* window, Progress& progress, ActionGuard& guard,
              std::unique_ptr<ClassSettings> settings = std::make_unique<ClassSettings>());
    ~ClassFlow() override;

    // "Клас…", "Изнеси резултатите…", "Резултати на класа…", for the window's menu.
    [[nodiscard]] QList<QAction*> Actions() const { return {m_settingsAction, m_export, m_view}; }
    [[nodiscard]] ClassSettings& Settings() { return *m_settings; }
    // Other settings (a test's files), applied at once.
    void UseSettings(std::unique_ptr<ClassSettings> settings);
    [[nodiscard]] Sender& Sending() { return *m_sender; }
    // Applies the settings as they now stand.
    void Configure();
    // Writes the learner's statements (every learner's for an empty name) as one JSON array;
    // false, telling why, if not. Marks nothing as sent.
    bool ExportResults(const QString& learner, const QString& path);

    // While open.
    [[nodiscard]] ClassDialog* Dialog() const;
    [[nodiscard]] ClassView* View() const;
    [[nodiscard]] QMessageBox* Message() const;

private:
    void ShowDialog();
    void AskExport();
    void ShowView();
    void Tell(const QString& text);

    QWidget* m_window;
    Progress& m_progress;
    ActionGuard& m_guard;
    std::unique_ptr<ClassSettings> m_settings;
    Sender* m_sender;
    QAction* m_settingsAction;
    QAction* m_export;
    QAction* m_view;
    bool m_toldRefusal = false;
    QPointer<ClassDialog> m_dialog;
    QPointer<ClassView> m_classView;
    QPointer<QMessageBox> m_message;
};

} // namespace window
