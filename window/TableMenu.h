// SPDX-License-Identifier: MIT
// The window's menu of tables: open a teacher's table, go back to the built-in one, save.
#pragma once

#include <PairTable.h>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <variant>

class QAction;
class QMessageBox;
class QWidget;

namespace quiz {
class Quiz;
}

namespace window {

// A table file read whole, within the limits, before anything of the quiz changes. Folders,
// devices and other special files are refused unread: a pipe would never answer, and a
// device such as /dev/zero never ends.
[[nodiscard]] std::variant<quiz::PairTable, quiz::TableError> ReadTableFile(const QString& path);

// The actions of the window's context menu, and what they do. The window gives each table
// to the engine through `use`; null stands for the built-in table.
class TableMenu final : public QObject {
    Q_OBJECT

public:
    using Use = std::function<void(std::shared_ptr<const quiz::PairTable>)>;

    TableMenu(QWidget* window, const quiz::Quiz& quiz, Use use);

    // "Отвори таблица…", "Вградената таблица", "Запиши таблицата като CSV…", in that order.
    [[nodiscard]] QList<QAction*> Actions() const;

    // Puts the file's table in play. A bad file changes nothing: a message box names the file,
    // the line and the fault. Returns whether the table is in play.
    bool Open(const QString& path);
    // Writes the table in play; a failure is told in a message box. Returns whether it wrote.
    bool Save(const QString& path);
    // The latest message box about a file, while it is open.
    [[nodiscard]] QMessageBox* Message() const;

private:
    [[nodiscard]] QString Folder() const;
    void ChooseAndOpen();
    void ChooseAndSave();
    void Tell(const QString& text);

    QWidget* m_window;
    const quiz::Quiz& m_quiz;
    Use m_use;
    QAction* m_open;
    QAction* m_builtIn;
    QAction* m_save;
    // Where the file dialogs start: the folder of the latest table opened or saved, or none yet,
    // for the user's documents.
    QString m_folder;
    QPointer<QMessageBox> m_message;
};

} // namespace window
