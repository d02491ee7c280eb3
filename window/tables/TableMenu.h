// SPDX-License-Identifier: MIT
// The window's tables: open a teacher's table, go back to the built-in one, save.
#pragma once

#include <PairTable.h>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QAction;
class QWidget;

namespace quiz {
class Quiz;
}

namespace window {

class ActionGuard;

// The actions of the window's context menu for tables, with their shortcuts, and a file
// dropped on the window. A table read whole and sound is handed on with tableChosen, and the
// questions a file of questions had that are not for matching are told after it opens; a bad
// file changes nothing and is told in a message box that names the file, the line and the
// fault.
class TableMenu final : public QObject {
    Q_OBJECT

public:
    // Reading and writing run through the window's guard.
    TableMenu(QWidget* window, const quiz::Quiz& quiz, ActionGuard& guard);

    // "Отвори таблица…", "Вградената таблица", "Запиши таблицата като CSV…", in that order.
    [[nodiscard]] QList<QAction*> Actions() const;

    // Reads the file; returns whether its table was handed on.
    bool Open(const QString& path);
    // Writes the table in play; a failure is told in a message box. Returns whether it wrote.
    bool Save(const QString& path);
    // The latest message box about a file, while it is open.
    [[nodiscard]] QMessageBox* Message() const;

signals:
    void tableChosen(std::shared_ptr<const quiz::PairTable> table);
    void builtInChosen();

protected:
    // Takes a drop of one local file on the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Read(const QString& path);
    bool Write(const QString& path);
    [[nodiscard]] QString Folder() const;
    void ChooseAndOpen();
    void ChooseAndSave();
    void Tell(const QString& text, QMessageBox::Icon icon = QMessageBox::Warning);

    QWidget* m_window;
    const quiz::Quiz& m_quiz;
    ActionGuard& m_guard;
    QAction* m_open;
    QAction* m_builtIn;
    QAction* m_save;
    // Where the file dialogs start: the folder of the latest table opened or saved, or none yet,
    // for the user's documents.
    QString m_folder;
    QPointer<QMessageBox> m_message;
};

} // namespace window
