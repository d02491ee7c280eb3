// SPDX-License-Identifier: MIT
// The table in play on paper: "Печат…" (Ctrl+P) and "Запиши като PDF…" ask which sheet (the
// worksheet of a variant, its answer key, the blank map, a learner's review sheet), then print
// it through the print dialog or write it as a PDF, whole or not at all. A sheet of many pages
// shows its progress after a second and can be cancelled; a failure is told in a message box.
#pragma once

#include "printing/PaperDialog.h"
#include "printing/SheetDocument.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QMessageBox;
class QPagedPaintDevice;
class QWidget;

namespace quiz {
class Quiz;
}

namespace window {

class ActionGuard;
class Progress;

class PaperMenu final : public QObject {
    Q_OBJECT

public:
    using Provinces = std::function<const map::ProvinceMap&()>;
    PaperMenu(QWidget* window, const quiz::Quiz& quiz, ActionGuard& guard, Provinces provinces);

    // The learners and their review sheets come from the store, once there is one.
    void UseProgress(Progress* progress) { m_progress = progress; }
    [[nodiscard]] QList<QAction*> Actions() const { return {m_print, m_save}; }

    // Writes the sheet as a PDF; returns whether it wrote.
    bool SavePdf(const QString& path, const SheetChoice& choice);
    // Prints the sheet: to the printer named, or, with none, through the print dialog.
    bool Print(const SheetChoice& choice, const QString& printer = {});
    // How long a sheet may take before its progress is shown (a second, unless set).
    void SetProgressDelay(int milliseconds) { m_progressDelay = milliseconds; }
    // The latest message box, while it is open.
    [[nodiscard]] QMessageBox* Message() const;

private:
    // The sheet's content; false, telling why, where there is nothing to put on it.
    bool Content(const SheetChoice& choice, SheetContent& content);
    // Paints the sheet's pages onto the device; false once cancelled.
    bool Paint(QPagedPaintDevice& device, const SheetContent& content);
    bool Choose(const QString& accept);
    void AskAndPrint();
    void AskAndSave();
    void Tell(const QString& text, bool warning = true);

    QWidget* m_window;
    const quiz::Quiz& m_quiz;
    ActionGuard& m_guard;
    Provinces m_provinces;
    Progress* m_progress = nullptr;
    QAction* m_print;
    QAction* m_save;
    SheetChoice m_choice;
    int m_progressDelay;
    QString m_folder;
    QPointer<QMessageBox> m_message;
};

} // namespace window
