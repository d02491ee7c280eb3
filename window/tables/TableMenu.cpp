// SPDX-License-Identifier: MIT
#include "tables/TableMenu.h"

#include "app/ActionGuard.h"
#include "quiz/WindowDefinition.h"
#include "tables/TableFileReader.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <Quiz.h>
#include <TableFile.h>

namespace window {
namespace {

// The one local file that a drag brings, if it brings just that.
QString DroppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

} // namespace

TableMenu::TableMenu(QWidget* window, const quiz::Quiz& quiz, ActionGuard& guard)
    : QObject(window), m_window(window), m_quiz(quiz), m_guard(guard),
      m_open(new QAction(QString::fromUtf8(kOpenTableCaption), window)),
      m_builtIn(new QAction(QString::fromUtf8(kBuiltInTableCaption), window)),
      m_save(new QAction(QString::fromUtf8(kSaveTableCaption), window)) {
    m_open->setShortcut(QKeySequence::Open);
    m_save->setShortcut(QKeySequence::Save);
    // The shortcuts work wherever the focus is in the window, with no menu open.
    window->addAction(m_open);
    window->addAction(m_save);
    connect(m_open, &QAction::triggered, this, &TableMenu::ChooseAndOpen);
    connect(m_builtIn, &QAction::triggered, this, &TableMenu::builtInChosen);
    connect(m_save, &QAction::triggered, this, &TableMenu::ChooseAndSave);
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QList<QAction*> TableMenu::Actions() const {
    return {m_open, m_builtIn, m_save};
}

bool TableMenu::Open(const QString& path) {
    bool opened = false;
    m_guard.Run([this, &path, &opened] { opened = Read(path); });
    return opened;
}

bool TableMenu::Save(const QString& path) {
    bool saved = false;
    m_guard.Run([this, &path, &saved] { saved = Write(path); });
    return saved;
}

bool TableMenu::Read(const QString& path) {
    auto reading = TableFileReader::Read(path);
    if (const auto* error = std::get_if<quiz::TableError>(&reading)) {
        Tell(TableFileReader::Message(path, *error));
        return false;
    }
    m_folder = QFileInfo(path).absolutePath();
    auto& imported = std::get<exchange::ImportedTable>(reading);
    emit tableChosen(std::make_shared<const quiz::PairTable>(std::move(imported.table)));
    if (imported.skipped > 0) {
        Tell(QString::fromUtf8(kQuestionsSkipped)
                 .arg(QDir::toNativeSeparators(path),
                      QString::fromStdString(exchange::SkippedText(imported.skipped))),
             QMessageBox::Information);
    }
    return true;
}

bool TableMenu::Write(const QString& path) {
    const QString error = TableFileReader::WriteWhole(path, quiz::WriteTable(m_quiz.Table()));
    if (!error.isEmpty()) {
        Tell(QString::fromUtf8(kTableNotSaved).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_folder = QFileInfo(path).absolutePath();
    return true;
}

QString TableMenu::Folder() const {
    // Looked up only when a dialog opens: start-up need not read the desktop's folder settings.
    return m_folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                              : m_folder;
}

QMessageBox* TableMenu::Message() const {
    return m_message != nullptr && m_message->isVisible() ? m_message.data() : nullptr;
}

bool TableMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window) {
        return false;
    }
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!DroppedFile(enter->mimeData()).isEmpty()) {
            enter->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedFile(drop->mimeData());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            Open(path);
            return true;
        }
    }
    return false;
}

void TableMenu::ChooseAndOpen() {
    const QString path =
        QFileDialog::getOpenFileName(m_window, QString::fromUtf8(kOpenTableTitle), Folder(),
                                     QString::fromUtf8(kOpenTableFilters));
    if (!path.isEmpty()) {
        Open(path);
    }
}

void TableMenu::ChooseAndSave() {
    const QString name = m_quiz.BuiltIn() ? QString::fromUtf8(kLabel1Captions[0])
                                          : QString::fromStdString(m_quiz.Table().title);
    QFileDialog dialog(m_window, QString::fromUtf8(kSaveTableTitle), Folder(),
                       QString::fromUtf8(kSaveTableFilters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the suffix to a name without one itself, so that the question whether to
    // replace a file is asked of the file that will be written.
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(name + QStringLiteral(".csv"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        Save(dialog.selectedFiles().constFirst());
    }
}

void TableMenu::Tell(const QString& text, QMessageBox::Icon icon) {
    if (m_message != nullptr) {
        m_message->close();
    }
    m_message = new QMessageBox(icon, QString::fromUtf8(kCaption), text, QMessageBox::Ok, m_window);
    m_message->setAttribute(Qt::WA_DeleteOnClose);
    // Not modal to the application: the program may still be starting, with no event loop.
    m_message->setWindowModality(Qt::WindowModal);
    m_message->show();
}

} // namespace window
