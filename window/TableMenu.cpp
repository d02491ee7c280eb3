// SPDX-License-Identifier: MIT
#include "TableMenu.h"

#include "WindowDefinition.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>
#include <Quiz.h>
#include <TableFile.h>

namespace window {

std::variant<quiz::PairTable, quiz::TableError> ReadTableFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return quiz::TableError{0, "файлът не съществува"};
    }
    if (info.isDir()) {
        return quiz::TableError{0, "това е папка, а не файл"};
    }
    if (!info.isFile()) {
        return quiz::TableError{0, "това не е обикновен файл"};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return quiz::TableError{0, "файлът не може да се прочете"};
    }
    // One byte past the limit is enough to tell that a file is over it.
    const QByteArray bytes = file.read(static_cast<qint64>(quiz::kMaxFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        return quiz::TableError{0, "файлът не може да се прочете"};
    }
    return quiz::ReadTable(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        info.completeBaseName().toStdString());
}

TableMenu::TableMenu(QWidget* window, const quiz::Quiz& quiz, Use use)
    : QObject(window), m_window(window), m_quiz(quiz), m_use(std::move(use)),
      m_open(new QAction(QString::fromUtf8(kOpenTableCaption), window)),
      m_builtIn(new QAction(QString::fromUtf8(kBuiltInTableCaption), window)),
      m_save(new QAction(QString::fromUtf8(kSaveTableCaption), window)) {
    m_open->setShortcut(QKeySequence::Open);
    m_save->setShortcut(QKeySequence::Save);
    // The shortcuts work wherever the focus is in the window, with no menu open.
    window->addAction(m_open);
    window->addAction(m_save);
    connect(m_open, &QAction::triggered, this, &TableMenu::ChooseAndOpen);
    connect(m_builtIn, &QAction::triggered, this, [this] { m_use(nullptr); });
    connect(m_save, &QAction::triggered, this, &TableMenu::ChooseAndSave);
}

QList<QAction*> TableMenu::Actions() const {
    return {m_open, m_builtIn, m_save};
}

bool TableMenu::Open(const QString& path) {
    auto reading = ReadTableFile(path);
    if (const auto* error = std::get_if<quiz::TableError>(&reading)) {
        const QString fault = QString::fromStdString(error->fault);
        Tell(QString::fromUtf8(kTableNotOpened)
                 .arg(QDir::toNativeSeparators(path),
                      error->line > 0
                          ? QString::fromUtf8(kTableFaultOnLine).arg(error->line).arg(fault)
                          : fault));
        return false;
    }
    m_folder = QFileInfo(path).absolutePath();
    m_use(std::make_shared<const quiz::PairTable>(std::get<quiz::PairTable>(std::move(reading))));
    return true;
}

bool TableMenu::Save(const QString& path) {
    const std::string bytes = quiz::WriteTable(m_quiz.Table());
    // Written beside the old file and put in its place only when whole: a failure halfway
    // leaves the old file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        Tell(QString::fromUtf8(kTableNotSaved)
                 .arg(QDir::toNativeSeparators(path), file.errorString()));
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

void TableMenu::ChooseAndOpen() {
    const QString path =
        QFileDialog::getOpenFileName(m_window, QString::fromUtf8(kOpenTableTitle), Folder(),
                                     QString::fromUtf8(kTableFileFilters));
    if (!path.isEmpty()) {
        Open(path);
    }
}

void TableMenu::ChooseAndSave() {
    const QString name = m_quiz.BuiltIn() ? QString::fromUtf8(kLabel1Captions[0])
                                          : QString::fromStdString(m_quiz.Table().title);
    const QString path =
        QFileDialog::getSaveFileName(m_window, QString::fromUtf8(kSaveTableTitle),
                                     QDir(Folder()).filePath(name + QStringLiteral(".csv")),
                                     QString::fromUtf8(kTableFileFilters));
    if (!path.isEmpty()) {
        Save(QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".csv") : path);
    }
}

void TableMenu::Tell(const QString& text) {
    if (m_message != nullptr) {
        m_message->close();
    }
    m_message = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(kCaption), text,
                                QMessageBox::Ok, m_window);
    m_message->setAttribute(Qt::WA_DeleteOnClose);
    // Not modal to the application: the program may still be starting, with no event loop.
    m_message->setWindowModality(Qt::WindowModal);
    m_message->show();
}

} // namespace window
