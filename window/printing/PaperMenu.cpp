// SPDX-License-Identifier: MIT
#include "printing/PaperMenu.h"

#include "app/ActionGuard.h"
#include "printing/Printer.h"
#include "printing/SheetContents.h"
#include "progress/Progress.h"
#include "quiz/WindowDefinition.h"
#include "tables/Headings.h"
#include "tables/TableFileReader.h"

#include <Pages.h>
#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressDialog>
#include <QStandardPaths>
#include <Quiz.h>
#include <Regions.h>
#include <Sheets.h>

namespace window {
namespace {

constexpr const char* kPrintCaption = "Печат…";
constexpr const char* kSaveCaption = "Запиши като PDF…";
constexpr const char* kPrintButton = "Печат…";
constexpr const char* kSaveButton = "Запиши…";
constexpr const char* kSaveTitle = "Запиши листа като PDF";
constexpr const char* kPdfFilter = "PDF (*.pdf)";
constexpr const char* kPdfName = "%1 – %2.pdf";
constexpr const char* kPreparing = "Листът се подготвя: страница %1 от %2…";
constexpr const char* kCancel = "Отказ";
constexpr const char* kNotSaved = "Листът не е записан във файла „%1“:\n%2.";
constexpr const char* kNotPrinted = "Листът не е отпечатан:\n%1.";
constexpr const char* kNothingToReview = "%1 няма двойки за повторение от тази таблица.";
constexpr const char* kNoMap = "Областите на тази таблица не са от картата.";
constexpr const char* kLanguage = "bg";
// A page's progress is shown once a sheet takes longer than this to prepare.
constexpr int kProgressAfterMs = 1000;

// A name a file can have on every system: no folder separators or characters Windows refuses.
QString FileNameOf(QString name) {
    for (const QChar refused : QStringLiteral("/\\:*?\"<>|")) {
        name.replace(refused, QLatin1Char('-'));
    }
    return name;
}

// "География - … – Работен лист, вариант 7": the PDF's title, and the print job's name.
QString DocumentTitle(const SheetContent& content) {
    return content.title + QStringLiteral(" – ") + content.subtitle;
}

} // namespace

PaperMenu::PaperMenu(QWidget* window, const quiz::Quiz& quiz, ActionGuard& guard,
                     Provinces provinces)
    : QObject(window), m_window(window), m_quiz(quiz), m_guard(guard),
      m_provinces(std::move(provinces)),
      m_print(new QAction(QString::fromUtf8(kPrintCaption), window)),
      m_save(new QAction(QString::fromUtf8(kSaveCaption), window)),
      m_progressDelay(kProgressAfterMs) {
    m_print->setShortcut(QKeySequence::Print);
    window->addAction(m_print);
    connect(m_print, &QAction::triggered, this, m_guard.Guarded([this] { AskAndPrint(); }));
    connect(m_save, &QAction::triggered, this, m_guard.Guarded([this] { AskAndSave(); }));
}

QMessageBox* PaperMenu::Message() const {
    return m_message != nullptr && m_message->isVisible() ? m_message.data() : nullptr;
}

void PaperMenu::Tell(const QString& text, bool warning) {
    if (m_message != nullptr) {
        m_message->close();
    }
    m_message = new QMessageBox(warning ? QMessageBox::Warning : QMessageBox::Information,
                                QString::fromUtf8(kCaption), text, QMessageBox::Ok, m_window);
    m_message->setAttribute(Qt::WA_DeleteOnClose);
    m_message->setWindowModality(Qt::WindowModal);
    m_message->show();
}

bool PaperMenu::Content(const SheetChoice& choice, SheetContent& content) {
    std::vector<std::size_t> rows = paper::AllRows(m_quiz.Table());
    const map::ProvinceMap* provinces = nullptr;
    if (choice.kind == SheetKind::BlankMap) {
        provinces = &m_provinces();
        if (!map::HasRegions(m_quiz.Table())) {
            Tell(QString::fromUtf8(kNoMap));
            return false;
        }
    }
    if (choice.kind == SheetKind::Review) {
        rows = m_progress != nullptr ? m_progress->ReviewRows(choice.learner)
                                     : std::vector<std::size_t>();
        if (rows.empty()) {
            Tell(QString::fromUtf8(kNothingToReview).arg(choice.learner), false);
            return false;
        }
    }
    content = ContentOf(choice, m_quiz, rows, provinces);
    return true;
}

bool PaperMenu::Paint(QPagedPaintDevice& device, const SheetContent& content) {
    const SheetDocument document(content, device);
    QProgressDialog progress(QString(), QString::fromUtf8(kCancel), 0, document.Pages(), m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(m_progressDelay);
    progress.setAutoReset(false);
    progress.setValue(0);
    QPainter painter(&device);
    for (int page = 0; page < document.Pages(); ++page) {
        progress.setLabelText(QString::fromUtf8(kPreparing).arg(page + 1).arg(document.Pages()));
        if (page > 0) {
            device.newPage();
        }
        document.PaintPage(painter, page);
        progress.setValue(page + 1);
        if (progress.wasCanceled()) {
            return false;
        }
    }
    return painter.end();
}

bool PaperMenu::SavePdf(const QString& path, const SheetChoice& choice) {
    SheetContent content;
    if (!Content(choice, content)) {
        return false;
    }
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(DocumentTitle(content));
        writer.setCreator(QString::fromUtf8(kCaption));
        writer.setPageLayout(SheetPageLayout());
        if (!Paint(writer, content)) {
            return false;
        }
    }
    const QString error =
        TableFileReader::WriteWhole(path, paper::WithLanguage(bytes.toStdString(), kLanguage));
    if (!error.isEmpty()) {
        Tell(QString::fromUtf8(kNotSaved).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_folder = QFileInfo(path).absolutePath();
    return true;
}

bool PaperMenu::Print(const SheetChoice& choice, const QString& printer) {
    SheetContent content;
    if (!Content(choice, content)) {
        return false;
    }
    const PrintOutcome outcome =
        window::Print({m_window, DocumentTitle(content), printer, SheetPageLayout(),
                       [this, &content](QPagedPaintDevice& device) {
                           return Paint(device, content);
                       }});
    if (outcome.result == PrintOutcome::Result::Failed) {
        Tell(QString::fromUtf8(kNotPrinted).arg(outcome.fault));
    }
    return outcome.result == PrintOutcome::Result::Printed;
}

bool PaperMenu::Choose(const QString& accept) {
    const QStringList learners = m_progress != nullptr ? m_progress->Learners() : QStringList();
    if (m_choice.learner.isEmpty() && !learners.isEmpty()) {
        m_choice.learner = m_progress->Learner();
    }
    PaperDialog dialog(m_choice, map::HasRegions(m_quiz.Table()), learners, accept, m_window);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    m_choice = dialog.Choice();
    return true;
}

void PaperMenu::AskAndPrint() {
    if (Choose(QString::fromUtf8(kPrintButton))) {
        Print(m_choice);
    }
}

void PaperMenu::AskAndSave() {
    if (!Choose(QString::fromUtf8(kSaveButton))) {
        return;
    }
    const QString folder = m_folder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : m_folder;
    const QString name =
        FileNameOf(QString::fromUtf8(kPdfName).arg(Headings(m_quiz).first(), SheetName(m_choice)));
    QFileDialog dialog(m_window, QString::fromUtf8(kSaveTitle), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QString::fromUtf8(kPdfFilter));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    SavePdf(dialog.selectedFiles().constFirst(), m_choice);
}

} // namespace window
