// SPDX-License-Identifier: MIT
#include "tables/TableFileReader.h"

#include <Gift.h>
#include <MoodleXml.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <Spreadsheet.h>

namespace window {
namespace {

constexpr const char* kNotOpened = "Таблицата от файла „%1“ не е отворена:\n%2.";
constexpr const char* kFaultOnLine = "ред %1: %2";

} // namespace

std::variant<exchange::ImportedTable, quiz::TableError> TableFileReader::Read(const QString& path) {
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
    const QByteArray bytes = file.read(static_cast<qint64>(sheets::kMaxSpreadsheetBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        return quiz::TableError{0, "файлът не може да се прочете"};
    }
    const std::string_view read(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    std::string title = info.completeBaseName().toStdString();
    if (info.suffix().compare(QStringLiteral("gift"), Qt::CaseInsensitive) == 0) {
        return exchange::ReadGift(read, std::move(title));
    }
    if (exchange::LooksLikeXml(read)) {
        return exchange::ReadMoodleXml(read, std::move(title));
    }
    auto table = sheets::ReadTableFile(read, std::move(title));
    if (auto* error = std::get_if<quiz::TableError>(&table)) {
        return *error;
    }
    return exchange::ImportedTable{std::get<quiz::PairTable>(std::move(table)), 0};
}

QString TableFileReader::Message(const QString& path, const quiz::TableError& error) {
    const QString fault = QString::fromStdString(error.fault);
    return QString::fromUtf8(kNotOpened)
        .arg(QDir::toNativeSeparators(path),
             error.line > 0 ? QString::fromUtf8(kFaultOnLine).arg(error.line).arg(fault) : fault);
}

QString TableFileReader::WriteWhole(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        return file.errorString();
    }
    return {};
}

} // namespace window
