// SPDX-License-Identifier: MIT
// The table in play, for other programs: "Изнеси таблицата като…" writes it as Moodle XML or
// GIFT, for a graded quiz in the school's Moodle, or as Anki's text notes, for a colleague's
// cards. The file is written whole or not at all; a failure, or a table that the format cannot
// hold, is told in a message box naming the file.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QMessageBox;
class QWidget;

namespace quiz {
class Quiz;
}

namespace window {

class ActionGuard;

class ExportMenu final : public QObject {
    Q_OBJECT

public:
    enum class Format { MoodleXml, Gift, Anki };

    ExportMenu(QWidget* window, const quiz::Quiz& quiz, ActionGuard& guard);

    [[nodiscard]] QAction* Action() const { return m_export; }
    // Writes the table in play; returns whether it wrote.
    bool Export(const QString& path, Format format);
    // The format a file is written in: the one its name's suffix says (".xml", ".gift",
    // ".txt"), or else the one of the dialog's filter (0, 1, 2 in that order).
    [[nodiscard]] static Format FormatOf(const QString& path, int filter);
    // The latest message box, while it is open.
    [[nodiscard]] QMessageBox* Message() const;

private:
    void ChooseAndExport();
    bool Write(const QString& path, Format format);

    QWidget* m_window;
    const quiz::Quiz& m_quiz;
    ActionGuard& m_guard;
    QAction* m_export;
    QString m_folder;
    QPointer<QMessageBox> m_message;
};

} // namespace window
