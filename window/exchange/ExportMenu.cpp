// SPDX-License-Identifier: MIT
#include "exchange/ExportMenu.h"

#include "app/ActionGuard.h"
#include "quiz/WindowDefinition.h"
#include "tables/TableFileReader.h"

#include <Anki.h>
#include <Collation.h>
#include <Gift.h>
#include <MoodleXml.h>
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <Quiz.h>
#include <algorithm>
#include <array>

namespace window {
namespace {

constexpr const char* kExportCaption = "Изнеси таблицата като…";
constexpr const char* kExportTitle = "Изнеси таблицата";
constexpr const char* kNotExported = "Таблицата не е изнесена във файла „%1“:\n%2.";

struct FormatFile {
    ExportMenu::Format format;
    const char* filter;
    const char* suffix;
};
constexpr std::array<FormatFile, 3> kFormats{{
    {ExportMenu::Format::MoodleXml, "Moodle XML (*.xml)", "xml"},
    {ExportMenu::Format::Gift, "GIFT за Moodle (*.gift)", "gift"},
    {ExportMenu::Format::Anki, "Текст за Anki (*.txt)", "txt"},
}};

exchange::Written WrittenAs(const quiz::PairTable& table, ExportMenu::Format format) {
    const quiz::Collation order;
    switch (format) {
    case ExportMenu::Format::MoodleXml:
        return exchange::WriteMoodleXml(table, order);
    case ExportMenu::Format::Gift:
        return exchange::WriteGift(table, order);
    case ExportMenu::Format::Anki:
        break;
    }
    return exchange::WriteAnki(table);
}

} // namespace

ExportMenu::ExportMenu(QWidget* window, const quiz::Quiz& quiz, ActionGuard& guard)
    : QObject(window), m_window(window), m_quiz(quiz), m_guard(guard),
      m_export(new QAction(QString::fromUtf8(kExportCaption), window)) {
    connect(m_export, &QAction::triggered, this, &ExportMenu::ChooseAndExport);
}

bool ExportMenu::Export(const QString& path, Format format) {
    bool written = false;
    m_guard.Run([this, &path, format, &written] { written = Write(path, format); });
    return written;
}

QMessageBox* ExportMenu::Message() const {
    return m_message != nullptr && m_message->isVisible() ? m_message.data() : nullptr;
}

bool ExportMenu::Write(const QString& path, Format format) {
    quiz::PairTable table = m_quiz.Table();
    if (m_quiz.BuiltIn()) {
        table.title = kLabel1Captions[0];
    }
    const exchange::Written written = WrittenAs(table, format);
    QString error;
    if (const auto* fault = std::get_if<exchange::WriteFault>(&written)) {
        error = QString::fromStdString(fault->fault);
    } else {
        error = TableFileReader::WriteWhole(path, std::get<std::string>(written));
    }
    if (error.isEmpty()) {
        m_folder = QFileInfo(path).absolutePath();
        return true;
    }
    if (m_message != nullptr) {
        m_message->close();
    }
    m_message =
        new QMessageBox(QMessageBox::Warning, QString::fromUtf8(kCaption),
                        QString::fromUtf8(kNotExported).arg(QDir::toNativeSeparators(path), error),
                        QMessageBox::Ok, m_window);
    m_message->setAttribute(Qt::WA_DeleteOnClose);
    m_message->setWindowModality(Qt::WindowModal);
    m_message->show();
    return false;
}

void ExportMenu::ChooseAndExport() {
    QStringList filters;
    for (const FormatFile& file : kFormats) {
        filters << QString::fromUtf8(file.filter);
    }
    const QString folder = m_folder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : m_folder;
    const QString name = m_quiz.BuiltIn() ? QString::fromUtf8(kLabel1Captions[0])
                                          : QString::fromStdString(m_quiz.Table().title);
    QFileDialog dialog(m_window, QString::fromUtf8(kExportTitle), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(kFormats[0].suffix));
    dialog.selectFile(name + QLatin1Char('.') + QString::fromLatin1(kFormats[0].suffix));
    // The suffix follows the format chosen.
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &filters](const QString& filter) {
                const auto index = static_cast<std::size_t>(filters.indexOf(filter));
                if (index < kFormats.size()) {
                    dialog.setDefaultSuffix(QString::fromLatin1(kFormats[index].suffix));
                }
            });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    Export(dialog.selectedFiles().constFirst(),
           FormatOf(dialog.selectedFiles().constFirst(),
                    static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))));
}

ExportMenu::Format ExportMenu::FormatOf(const QString& path, int filter) {
    const QString suffix = QFileInfo(path).suffix();
    const auto* const named =
        std::find_if(kFormats.begin(), kFormats.end(), [&suffix](const FormatFile& file) {
            return suffix.compare(QLatin1String(file.suffix), Qt::CaseInsensitive) == 0;
        });
    if (named != kFormats.end()) {
        return named->format;
    }
    return filter >= 0 && static_cast<std::size_t>(filter) < kFormats.size()
               ? kFormats[static_cast<std::size_t>(filter)].format
               : Format::MoodleXml;
}

} // namespace window
